#include "app/AppState.h"
#include "app/Msg.h"
#include "app/ui/MsgDialog.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "practice/RunFigures.h"

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QtTest>

using namespace tesmara;

namespace {

MsgRequest request(const QString& text, int buttons, int focus = 1, int check = 0,
                   const QString& title = QStringLiteral("提示"), int icon = 1)
{
    return MsgRequest{text, icon, buttons, title, focus, check};
}

Cmd* button(QWidget& dialog, const char* name)
{
    return dialog.findChild<Cmd*>(QLatin1String(name));
}

// Shows the dialog the way the program does, without blocking the test.
void openAndActivate(MsgDialog& dialog)
{
    dialog.open();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

} // namespace

class TestMsgDialog : public QObject {
    Q_OBJECT
private slots:
    void layoutFollowsTheText_data();
    void layoutFollowsTheText();
    void focusArgumentOrdersButtons_data();
    void focusArgumentOrdersButtons();
    void answers_data();
    void answers();
    void ctrlCCopiesAndStaysOpen();
    void resultNoticeIgnoresTypingKeys_data();
    void resultNoticeIgnoresTypingKeys();
    void askRunsModallyThroughShowMsg();
};

void TestMsgDialog::layoutFollowsTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("check");
    QTest::addColumn<int>("icon");
    QTest::addRow("short notice") << QStringLiteral("保存成功！") << 0 << 0 << 1;
    QTest::addRow("long question")
        << QStringLiteral("合并文章需要同时选择两篇或以上的文章，请在列表中按住 Ctrl 键选择多个项目后再试一次。") << 2
        << 0 << 0;
    QTest::addRow("three lines and the box") << QStringLiteral("第一行\r\n第二行\r\n第三行") << 1 << -1 << 2;
    QTest::addRow("line wider than the screen") << QString(2000, QChar(0x5B57)) << 0 << 0 << 1;
}

void TestMsgDialog::layoutFollowsTheText()
{
    QFETCH(QString, text);
    QFETCH(int, buttons);
    QFETCH(int, check);
    QFETCH(int, icon);
    MsgDialog dialog(request(text, buttons, 1, check, QStringLiteral("提示"), icon));
    const QRect label = dialog.findChild<MSG_Label*>(QStringLiteral("Label_Msg"))->geometry();
    QCOMPARE(dialog.findChild<MSG_Label*>(QStringLiteral("Label_Msg"))->Caption(), text);
    // At least 3000 twips wide, wider for a long line, never wider than the
    // screen; the label lies inside, right of the one icon asked for.
    QCOMPARE(dialog.twipsWidth(), qMax(3000, label.width() * 15 + 1200));
    QVERIFY(dialog.width() <= QGuiApplication::primaryScreen()->geometry().width());
    QVERIFY(dialog.rect().contains(label));
    for (int i = 0; i < 3; ++i) {
        QWidget* picture = dialog.findChild<QWidget*>(QStringLiteral("Image_MSG_%1").arg(i));
        QCOMPARE(!picture->isHidden(), i == icon);
        QVERIFY(i != icon || picture->geometry().right() < label.left());
    }
    // The buttons asked for sit side by side below the text (and the box),
    // centred as one block.
    const QStringList pair = QList<QStringList>{{"CMDOK"}, {"CMDOK", "CMDCancel"}, {"CMDYES", "CMDNO"}}[buttons];
    QRect row;
    for (const char* name : {"CMDOK", "CMDCancel", "CMDYES", "CMDNO"}) {
        QCOMPARE(!button(dialog, name)->isHidden(), pair.contains(QLatin1String(name)));
    }
    for (const QString& name : pair) {
        row |= button(dialog, qPrintable(name))->geometry();
    }
    QVERIFY(qAbs(row.center().x() - dialog.width() / 2) <= 4);
    QVERIFY(row.top() > label.bottom() && dialog.rect().contains(row));
    QCOMPARE(button(dialog, "CMDOK")->Caption(), QStringLiteral("确定(&O)"));
    auto* box = dialog.findChild<Check_Box*>(QStringLiteral("Check1"));
    QCOMPARE(!box->isHidden(), check != 0);
    if (check != 0) {
        QVERIFY(!box->Value());
        QCOMPARE(box->Caption(), QStringLiteral("以后不再显示"));
        QVERIFY(box->geometry().top() > label.bottom() && box->geometry().bottom() < row.top());
    }
}

void TestMsgDialog::focusArgumentOrdersButtons_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addRow("yes/no, focus 4") << 2 << 4 << QStringLiteral("CMDNO") << QStringLiteral("CMDYES");
    QTest::addRow("yes/no, focus 3") << 2 << 3 << QStringLiteral("CMDYES") << QStringLiteral("CMDNO");
    QTest::addRow("ok/cancel, focus 2") << 1 << 2 << QStringLiteral("CMDCancel") << QStringLiteral("CMDOK");
    QTest::addRow("ok/cancel, focus 1") << 1 << 1 << QStringLiteral("CMDOK") << QStringLiteral("CMDCancel");
}

void TestMsgDialog::focusArgumentOrdersButtons()
{
    QFETCH(int, buttons);
    QFETCH(int, focus);
    QFETCH(QString, first);
    QFETCH(QString, second);
    MsgDialog dialog(request(QStringLiteral("确定要删除吗？"), buttons, focus, -1));
    openAndActivate(dialog);
    QWidget* firstButton = dialog.findChild<QWidget*>(first);
    QWidget* secondButton = dialog.findChild<QWidget*>(second);
    QTRY_COMPARE(QApplication::focusWidget(), firstButton);
    QTest::keyClick(firstButton, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), secondButton);
    QTest::keyClick(secondButton, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog.findChild<QWidget*>(QStringLiteral("Check1")));
    dialog.done(0);
}

void TestMsgDialog::answers_data()
{
    QTest::addColumn<int>("buttons"); // 0: OK, 1: OK and Cancel, 2: Yes and No
    QTest::addColumn<int>("check");   // -1: with the box to tick
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer"); // "": the dialog stays open
    const auto row = [](const char* name, int buttons, int check, const char* action, const char* answer) {
        QTest::addRow("%s", name) << buttons << check << QString::fromLatin1(action) << QString::fromLatin1(answer);
    };
    // Keys go to the button with the focus.
    row("Esc on Yes/No", 2, 0, "Esc", "No");
    row("Esc on OK/Cancel", 1, 0, "Esc", "Cancel");
    row("Esc on OK", 0, 0, "Esc", "OK");
    row("Y on Yes/No", 2, 0, "Y", "Yes");
    row("N on Yes/No", 2, 0, "N", "No");
    row("C on Yes/No: no Cancel there", 2, 0, "C", "");
    row("O on Yes/No: no OK there", 2, 0, "O", "");
    row("C on OK/Cancel", 1, 0, "C", "Cancel");
    row("O on OK/Cancel", 1, 0, "O", "OK");
    row("Y on OK/Cancel: no Yes there", 1, 0, "Y", "");
    row("other letter", 0, 0, "Q", "");
    // The box adds T when ticked, F when not.
    row("ticked box, Yes clicked", 2, -1, "tick CMDYES", "YesT");
    row("box left, Return on OK", 0, -1, "Return", "OKF");
    row("Cancel clicked", 1, 0, "CMDCancel", "Cancel");
    // Closing the frame answers OK where OK is offered, else nothing.
    row("frame closed: OK", 0, 0, "close", "OK");
    row("frame closed: OK and Cancel", 1, -1, "close", "OKF");
    row("frame closed: Yes and No", 2, 0, "close", "");
}

void TestMsgDialog::answers()
{
    QFETCH(int, buttons);
    QFETCH(int, check);
    QFETCH(QString, action);
    QFETCH(QString, answer);
    MsgDialog dialog(request(QStringLiteral("是否保存？"), buttons, 1, check));
    openAndActivate(dialog);
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused != nullptr);
    if (action == "close") {
        QCOMPARE(dialog.close(), !answer.isEmpty());
    } else if (action.startsWith("tick ")) {
        auto* box = dialog.findChild<Check_Box*>(QStringLiteral("Check1"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QVERIFY(box->Value());
        QTest::mouseClick(button(dialog, qPrintable(action.mid(5))), Qt::LeftButton);
    } else if (action.startsWith("CMD")) {
        QTest::mouseClick(button(dialog, qPrintable(action)), Qt::LeftButton);
    } else {
        const QKeySequence key(action == "Esc" ? QStringLiteral("Escape") : action);
        QTest::keyClick(focused, Qt::Key(key[0].key()));
    }
    QCOMPARE(dialog.answer(), answer);
    QCOMPARE(dialog.isVisible(), answer.isEmpty());
    if (!answer.isEmpty()) {
        QCOMPARE(App().Msg_Result, answer);
    }
    dialog.done(0);
}

void TestMsgDialog::ctrlCCopiesAndStaysOpen()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("旧内容"));
    MsgDialog dialog(request(QStringLiteral("速度：120字/分\r\n正确率：99%"), 2, 4));
    openAndActivate(dialog);
    QTest::keyClick(button(dialog, "CMDNO"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("速度：120字/分\n正确率：99%"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.answer(), QString());
    dialog.done(0);
}

void TestMsgDialog::resultNoticeIgnoresTypingKeys_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("guarded");
    QTest::newRow("result") << resultTitle(false) << true;
    QTest::newRow("English result") << resultTitle(true) << true;
    QTest::newRow("other") << QStringLiteral("提示") << false;
}

void TestMsgDialog::resultNoticeIgnoresTypingKeys()
{
    QFETCH(QString, title);
    QFETCH(bool, guarded);
    {
        MsgDialog dialog(request(QStringLiteral("速度：88"), 0, 1, 0, title));
        openAndActivate(dialog);
        Cmd* ok = button(dialog, "CMDOK");
        QTRY_COMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Space);
        if (!guarded) {
            QCOMPARE(dialog.answer(), QStringLiteral("OK"));
            return;
        }
        QTest::keyClick(ok, Qt::Key_O);
        QTest::keyClick(ok, Qt::Key_Space);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.answer(), QString());
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(dialog.answer(), QStringLiteral("OK"));
    }
    {
        // Another key between Space and the click clears the mark.
        MsgDialog dialog(request(QStringLiteral("速度：88"), 0, 1, 0, title));
        openAndActivate(dialog);
        Cmd* ok = button(dialog, "CMDOK");
        QTest::keyPress(ok, Qt::Key_Space);
        QTest::keyPress(ok, Qt::Key_A);
        QTest::keyRelease(ok, Qt::Key_Space);
        QCOMPARE(dialog.answer(), QStringLiteral("OK"));
    }
    {
        MsgDialog dialog(request(QStringLiteral("速度：88"), 0, 1, 0, title));
        openAndActivate(dialog);
        // Space goes down on OK, then the mouse clicks: the click only uses up
        // the mark; the next click (Space coming up) answers.
        QTest::keyPress(button(dialog, "CMDOK"), Qt::Key_Space);
        QTest::mouseClick(button(dialog, "CMDOK"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.answer(), QString());
        QTest::keyRelease(button(dialog, "CMDOK"), Qt::Key_Space);
        QCOMPARE(dialog.answer(), QStringLiteral("OK"));
    }
}

void TestMsgDialog::askRunsModallyThroughShowMsg()
{
    setMsgPresenter([](const MsgRequest& r) { return MsgDialog::ask(r); });
    QString seenTitle;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<MsgDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        seenTitle = dialog->windowTitle();
        auto* check = dialog->findChild<Check_Box*>(QStringLiteral("Check1"));
        check->click();
        button(*dialog, "CMDNO")->click();
    });
    const QString answer = Show_Msg(QStringLiteral("以后还提示吗？"), 2, 2, QStringLiteral("确认"), 4, -1);
    QCOMPARE(answer, QStringLiteral("NoT"));
    QCOMPARE(App().Msg_Result, QStringLiteral("NoT"));
    QCOMPARE(seenTitle, QStringLiteral("确认"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    setMsgPresenter({});
}

QTEST_MAIN(TestMsgDialog)
#include "tst_msgdialog.moc"
