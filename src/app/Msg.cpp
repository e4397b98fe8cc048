#include "app/Msg.h"

#include "app/AppState.h"

#include <QQueue>

#include <cstdio>
#include <cstdlib>

namespace tesmara {

namespace {

struct MsgGlobals {
    MsgPresenter presenter;
    QQueue<QString> answers;
    QList<MsgRequest> shown;
    bool strict = false;
};

MsgGlobals& globals()
{
    static MsgGlobals g;
    return g;
}

QString headlessAnswer(const MsgRequest& r)
{
    QString word;
    switch (r.buttons) {
    case 0:
    case 1:
        word = QStringLiteral("OK");
        break;
    case 2:
        word = QStringLiteral("No");
        break;
    default:
        return {};
    }
    if (r.check != 0) {
        word += QLatin1Char('F');
    }
    return word;
}

} // namespace

QString Show_Msg(const QString& text, int icon, int buttons, const QString& title, int focus, int check)
{
    MsgGlobals& g = globals();
    const MsgRequest request{text, icon, buttons, title, focus, check};
    g.shown.append(request);
    QString answer;
    App().Msg_Result.clear();
    if (!g.answers.isEmpty()) {
        answer = g.answers.dequeue();
    } else if (g.strict) {
        std::fprintf(stderr, "Unexpected message dialog: %s / %s\n", qPrintable(title), qPrintable(text));
        std::abort();
    } else if (g.presenter) {
        answer = g.presenter(request);
    } else {
        answer = headlessAnswer(request);
    }
    App().Msg_Result = answer;
    return answer;
}

void Data_Error()
{
    Show_Msg(QStringLiteral("    在用户数据文件中发现错误。\r\n想要修复这个错误的话，请删除本软件的安装目录，\r\n"
                            "然后重新安装本软件。"),
             0, 0, QStringLiteral("数据文件错误"), 1, 0);
}

void setMsgPresenter(MsgPresenter presenter)
{
    globals().presenter = std::move(presenter);
}

namespace MsgScript {

void pushAnswer(const QString& answer)
{
    globals().answers.enqueue(answer);
}

void setStrict(bool strict)
{
    globals().strict = strict;
}

QList<MsgRequest> shown()
{
    return globals().shown;
}

qsizetype pending()
{
    return globals().answers.size();
}

void clear()
{
    globals().answers.clear();
    globals().shown.clear();
}

} // namespace MsgScript

} // namespace tesmara
