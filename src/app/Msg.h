#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace tesmara {

// What a caller asks of the message dialog.
struct MsgRequest {
    QString text;
    int icon = 1;    // 0 error, 1 information, 2 question
    int buttons = 0; // 0 OK, 1 OK and Cancel, 2 Yes and No, other: none
    QString title;
    int focus = 1; // 2: Cancel first, 4: No first
    int check = 0; // non-zero: show the "以后不再显示" box
};

// Shows the program's message dialog and returns "OK", "Yes", "No" or
// "Cancel", with "T"/"F" appended when the check box was shown. The answer is
// also kept in App().Msg_Result.
QString Show_Msg(const QString& text, int icon, int buttons, const QString& title, int focus = 1, int check = 0);

// The damaged-data notice.
void Data_Error();

// Who shows the dialog: the UI installs the real one at start.
using MsgPresenter = std::function<QString(const MsgRequest&)>;
void setMsgPresenter(MsgPresenter presenter);

// Answers for tests: queued answers are given, in order, without showing
// anything; every request is recorded. With `strict` on, a request that finds
// no queued answer fails loudly instead of opening a window nobody answers.
namespace MsgScript {
void pushAnswer(const QString& answer);
void setStrict(bool strict);
QList<MsgRequest> shown();
qsizetype pending();
void clear();
} // namespace MsgScript

} // namespace tesmara
