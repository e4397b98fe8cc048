#pragma once

#include "app/Msg.h"

#include <QDialog>

namespace tesmara {

// The program's own message dialog (Form_MSG): shows a request modally and
// returns the answer word.
class MsgDialog : public QDialog {
    Q_OBJECT
public:
    explicit MsgDialog(const MsgRequest& request, QWidget* parent = nullptr);
    QString answer() const { return m_answer; }

    static QString ask(const MsgRequest& request);

private:
    QString m_answer;
};

} // namespace tesmara
