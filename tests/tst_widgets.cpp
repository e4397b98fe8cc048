#include "controls/ui/TS.h"
#include "app/AppState.h"
#include "app/Msg.h"
#include "app/ui/MsgDialog.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/Picture.h"
#include "controls/ui/Text.h"
#include "practice/RunFigures.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <optional>
#include <thread>

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

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void tabStripFitsCaptionsAndPicksByMouseAndKeys();
    void textKeysCommitsAndLengthLimit();
    void checkBoxAndOptionClicksAndArrows();
    void cmdClicksFromKeyboardAndMouseUnlessDisabled();
    void cmdLooksDifferInEveryState();
    void picturesDecodedAheadAreTheOnesRead();
    void messageLayoutFollowsTheText_data();
    void messageLayoutFollowsTheText();
    void messageFocusOrdersButtons_data();
    void messageFocusOrdersButtons();
    void messageAnswers_data();
    void messageAnswers();
    void resultNoticeIgnoresTypingKeys_data();
    void resultNoticeIgnoresTypingKeys();
    void askRunsModallyThroughShowMsgAndCopies();
};

void TestWidgets::tabStripFitsCaptionsAndPicksByMouseAndKeys()
{
    // A strip too narrow for roomy tabs keeps every caption whole, also the
    // chosen tab's in bold, as long as the captions themselves fit.
    TS ts;
    const QStringList captions{"中文练习", "字根", "键名字", "四字词组", "识别码", "一级简码"};
    ts.setTabCount(int(captions.size()));
    QFont bold = ts.font();
    bold.setBold(true);
    int least = 20; // a little room beside the captions, less than roomy tabs take
    for (int i = 0; i < captions.size(); ++i) {
        ts.Set_Text(i, captions[i]);
        least += QFontMetrics(bold).horizontalAdvance(captions[i]) + 10;
    }
    ts.resize(least, 28);
    ts.Make_Form();
    for (int i = 0; i < captions.size(); ++i) {
        QVERIFY(ts.tabRect(i).width() >= QFontMetrics(bold).horizontalAdvance(captions[i]) + 8);
    }
    QList<int> seen;
    connect(&ts, &TS::Click, &ts, [&] { seen.append(ts.TSWhoUp()); });

    // Code choosing a tab raises nothing.
    ts.setTSWhoUp(1);
    QVERIFY(seen.isEmpty());

    QTest::mouseClick(&ts, Qt::LeftButton, {}, ts.tabRect(2).center());
    QCOMPARE(seen, QList<int>{2});
    QTest::keyClick(&ts, Qt::Key_Right);
    QTest::keyClick(&ts, Qt::Key_End);
    QTest::keyClick(&ts, Qt::Key_Right); // already the last tab
    QTest::keyClick(&ts, Qt::Key_Home);
    QTest::keyClick(&ts, Qt::Key_Left); // already the first tab
    QCOMPARE(seen, (QList<int>{2, 3, 5, 0}));

    // Equal widths share the whole strip.
    ts.setTSETrue(true);
    QVERIFY(qAbs(ts.tabRect(0).width() - ts.tabRect(5).width()) <= 1);
    QCOMPARE(ts.tabRect(5).right(), ts.width() - 2);
    QCOMPARE(ts.tabAt(QPoint(ts.width() - 2, 5)), 5);
}

void TestWidgets::textKeysCommitsAndLengthLimit()
{
    Text text;
    QWidget* txt = text.findChild<QWidget*>(QStringLiteral("Txt"));
    QVERIFY(txt != nullptr);
    QList<int> codes;
    connect(&text, &Text::KeyPress, &text, [&](int& keyAscii) {
        codes.append(keyAscii);
        if (keyAscii >= '0' && keyAscii <= '9') {
            keyAscii = 0;
        } else if (keyAscii >= 'a' && keyAscii <= 'z') {
            keyAscii -= 32;
        } else if (keyAscii == 8) {
            keyAscii = 0;
        }
    });
    QSignalSpy changes(&text, &Text::Change);
    QTest::keyClicks(txt, QStringLiteral("a1b2-"));
    QCOMPARE(text.text(), QStringLiteral("AB-"));
    QCOMPARE(changes.count(), 3);
    QTest::keyClick(txt, Qt::Key_Backspace);
    QCOMPARE(text.text(), QStringLiteral("AB-"));
    QTest::keyClick(txt, Qt::Key_Return);
    QTest::keyClick(txt, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(codes, (QList<int>{'a', '1', 'b', '2', '-', 8, 13, 22}));
    // Keys that type nothing never reach the handler.
    QTest::keyClick(txt, Qt::Key_Left);
    QCOMPARE(codes.size(), 8);
    // An input method's text goes through it character by character.
    text.setText(QString());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("你好1世界"));
    QCoreApplication::sendEvent(txt, &commit);
    QCOMPARE(codes.mid(8), (QList<int>{0x4F60, 0x597D, '1', 0x4E16, 0x754C}));
    QCOMPARE(text.text(), QStringLiteral("你好世界"));

    // A multi-line box gives the same codes.
    text.setMultiLine(true);
    txt = text.findChild<QWidget*>(QStringLiteral("Txt"));
    QVERIFY(qobject_cast<QPlainTextEdit*>(txt) != nullptr);
    text.setText(QString());
    QTest::keyClicks(txt, QStringLiteral("x9y"));
    QCOMPARE(text.text(), QStringLiteral("XY"));

    // The length limit holds in either box, also across the switch.
    text.setMaxLength(3);
    QTest::keyClicks(txt, QStringLiteral("zw"));
    QCOMPARE(text.text(), QStringLiteral("XYZ"));
    text.setMultiLine(false);
    text.setText(QString());
    QTest::keyClicks(text.findChild<QWidget*>(QStringLiteral("Txt")), QStringLiteral("abcdef"));
    QCOMPARE(text.text(), QStringLiteral("ABC"));
}

void TestWidgets::checkBoxAndOptionClicksAndArrows()
{
    QWidget window;
    auto* box = new Check_Box(QStringLiteral("以后不再显示"), &window);
    box->setGeometry(0, 0, 120, 18);
    QList<bool> boxValues;
    connect(box, &Check_Box::Click, box, [&] { boxValues.append(box->Value()); });
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 9));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(60, 9));
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(boxValues, (QList<bool>{true, false, true}));
    // A press that leaves the box before release is no click.
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 9));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(200, 9));
    QCOMPARE(boxValues.size(), 3);
    box->setValue(false);
    QCOMPARE(boxValues.size(), 3);

    QList<Option*> options;
    for (int i = 0; i < 3; ++i) {
        options.append(new Option(QStringLiteral("项%1").arg(i), &window));
        options[i]->setGeometry(0, 20 + 20 * i, 120, 18);
    }
    QSignalSpy first(options[0], &Option::Click);
    QTest::mouseClick(options[0], Qt::LeftButton, {}, QPoint(5, 9));
    QVERIFY(options[0]->Value());
    QTest::mouseClick(options[0], Qt::LeftButton, {}, QPoint(5, 9));
    QVERIFY(options[0]->Value()); // an option does not clear itself
    QCOMPARE(first.count(), 2);
    options[0]->setValue(false);
    QCOMPARE(first.count(), 2);

    // Arrows pick the next option that can be chosen, round the group.
    options[1]->setEnabled(false);
    window.show();
    QSignalSpy last(options[2], &Option::Click);
    QTest::keyClick(options[0], Qt::Key_Down);
    QCOMPARE(last.count(), 1);
    QVERIFY(options[2]->Value() && !options[1]->Value());
    QTest::keyClick(options[2], Qt::Key_Down);
    QCOMPARE(first.count(), 3);
    QVERIFY(options[0]->Value());
}

void TestWidgets::cmdClicksFromKeyboardAndMouseUnlessDisabled()
{
    QWidget window;
    auto* cmd = new Cmd(QStringLiteral("关闭(&C)"), &window);
    cmd->setGeometry(10, 10, 88, 28);
    auto* box = new Check_Box(QStringLiteral("选项"), &window);
    box->setGeometry(0, 40, 80, 18);
    auto* option = new Option(QStringLiteral("选项"), &window);
    option->setGeometry(0, 60, 80, 18);
    auto* ts = new TS(&window);
    ts->setGeometry(0, 80, 200, 26);
    auto* text = new Text(&window);
    text->setGeometry(0, 110, 120, 24);
    QSignalSpy clicks(cmd, &Cmd::Click);

    QTest::keyPress(cmd, Qt::Key_Space);
    QVERIFY(cmd->isDown());
    QCOMPARE(clicks.count(), 0); // a button clicks when Space comes up
    QTest::keyRelease(cmd, Qt::Key_Space);
    QVERIFY(!cmd->isDown());
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(cmd, Qt::Key_Return);
    QTest::keyClick(cmd, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicks.count(), 3);
    QTest::keyClick(cmd, Qt::Key_A);
    QCOMPARE(clicks.count(), 3);

    QTest::mouseClick(cmd, Qt::LeftButton, {}, QPoint(40, 14));
    QCOMPARE(clicks.count(), 4);
    QTest::mousePress(cmd, Qt::LeftButton, {}, QPoint(40, 14));
    QTest::mouseRelease(cmd, Qt::LeftButton, {}, QPoint(200, 14));
    QCOMPARE(clicks.count(), 4);

    // The mnemonic of the caption clicks it.
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(clicks.count(), 5);
    cmd->setCaption(QStringLiteral("确定(&O)"));
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(clicks.count(), 5);
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    QCOMPARE(clicks.count(), 6);

    QSignalSpy boxClicks(box, &Check_Box::Click);
    int keyPresses = 0;
    connect(text, &Text::KeyPress, text, [&](int&) { ++keyPresses; });
    for (QWidget* w : std::initializer_list<QWidget*>{cmd, box, option, ts, text}) {
        w->setProperty("Enabled", false);
        QVERIFY(!w->isEnabled());
    }
    // Qt keeps mouse and keys from a disabled widget itself; these reach the
    // controls' own code (the box stands for the option too).
    QTest::mouseClick(cmd, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(cmd, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    cmd->click();
    box->click();
    QTest::keyClicks(text->inner(), QStringLiteral("abc"));
    QCOMPARE(clicks.count(), 6);
    QCOMPARE(boxClicks.count(), 0);
    QCOMPARE(keyPresses, 0);
    QVERIFY(!box->Value());
    QCOMPARE(text->text(), QString());
    cmd->setEnabled(true);
    QTest::mouseClick(cmd, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 7);
}

void TestWidgets::cmdLooksDifferInEveryState()
{
    QWidget window;
    auto* cmd = new Cmd(QStringLiteral("确定(&O)"), &window);
    cmd->setGeometry(20, 20, 88, 28);
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    cmd->clearFocus();
    QHoverEvent hoverLeave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), QPointF(5, 5));
    QCoreApplication::sendEvent(cmd, &hoverLeave);
    QVERIFY(!cmd->isHot());
    const QImage normal = cmd->grab().toImage();

    QHoverEvent hoverEnter(QEvent::HoverEnter, QPointF(5, 5), QPointF(5, 5), QPointF(-1, -1));
    QCoreApplication::sendEvent(cmd, &hoverEnter);
    QVERIFY(cmd->isHot());
    const QImage hot = cmd->grab().toImage();
    QTest::mousePress(cmd, Qt::LeftButton, {}, QPoint(10, 10));
    const QImage down = cmd->grab().toImage();
    QTest::mouseRelease(cmd, Qt::LeftButton, {}, QPoint(10, 10));
    QCoreApplication::sendEvent(cmd, &hoverLeave);
    cmd->setFocus();
    QTRY_VERIFY(cmd->hasFocus());
    const QImage focused = cmd->grab().toImage();
    cmd->setEnabled(false);
    const QImage disabled = cmd->grab().toImage();

    const QList<QImage> looks{normal, hot, down, focused, disabled};
    for (qsizetype i = 0; i < looks.size(); ++i) {
        for (qsizetype j = i + 1; j < looks.size(); ++j) {
            QVERIFY2(looks.at(i) != looks.at(j), qPrintable(QStringLiteral("looks %1 and %2").arg(i).arg(j)));
        }
    }
}

void TestWidgets::picturesDecodedAheadAreTheOnesRead()
{
    const QString icon = QStringLiteral(":/data/icon/32.png");
    const QString logo = QStringLiteral(":/data/pictures/logo.png");
    const QImage direct = pngImage(logo);
    QVERIFY(!direct.isNull());
    std::thread worker(decodeAhead({icon, logo}));
    // Asked for while the worker may still be decoding: waits for it.
    const QImage ahead = pngImage(logo);
    worker.join();
    QCOMPARE(ahead, direct);
    QCOMPARE(pngImage(icon).size(), QSize(32, 32));
    // Asked for before the worker began: read at once, and the worker,
    // started later, does not wait for it or decode it again.
    const auto job = decodeAhead({logo, icon});
    QCOMPARE(pngImage(logo), direct);
    std::thread(job).join();
    QCOMPARE(pngImage(icon).size(), QSize(32, 32));
    dropDecodedAhead();
}

void TestWidgets::messageLayoutFollowsTheText_data()
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

void TestWidgets::messageLayoutFollowsTheText()
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
    auto* box = dialog.findChild<Check_Box*>(QStringLiteral("Check1"));
    QCOMPARE(!box->isHidden(), check != 0);
    if (check != 0) {
        QVERIFY(!box->Value());
        QCOMPARE(box->Caption(), QStringLiteral("以后不再显示"));
        QVERIFY(box->geometry().top() > label.bottom() && box->geometry().bottom() < row.top());
    }
}

void TestWidgets::messageFocusOrdersButtons_data()
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

void TestWidgets::messageFocusOrdersButtons()
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

void TestWidgets::messageAnswers_data()
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

void TestWidgets::messageAnswers()
{
    QFETCH(int, buttons);
    QFETCH(int, check);
    QFETCH(QString, action);
    QFETCH(QString, answer);
    MsgDialog dialog(request(QStringLiteral("是否保存？"), buttons, 1, check));
    openAndActivate(dialog);
    QWidget* focused = QApplication::focusWidget();
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

void TestWidgets::resultNoticeIgnoresTypingKeys_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("guarded");
    QTest::newRow("result") << resultTitle(false) << true;
    QTest::newRow("English result") << resultTitle(true) << true;
    QTest::newRow("other") << QStringLiteral("提示") << false;
}

void TestWidgets::resultNoticeIgnoresTypingKeys()
{
    QFETCH(QString, title);
    QFETCH(bool, guarded);
    std::optional<MsgDialog> dialog;
    const auto openNotice = [&] {
        dialog.emplace(request(QStringLiteral("速度：88"), 0, 1, 0, title));
        dialog->open();
        return QTest::qWaitForWindowActive(&*dialog);
    };
    QVERIFY(openNotice());
    Cmd* ok = button(*dialog, "CMDOK");
    QTRY_COMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Space);
    if (!guarded) {
        QCOMPARE(dialog->answer(), QStringLiteral("OK"));
        return;
    }
    QTest::keyClick(ok, Qt::Key_O);
    QTest::keyClick(ok, Qt::Key_Space);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->answer(), QString());
    QTest::keyClick(ok, Qt::Key_Return);
    QCOMPARE(dialog->answer(), QStringLiteral("OK"));

    // Another key between Space and the click clears the mark.
    QVERIFY(openNotice());
    ok = button(*dialog, "CMDOK");
    QTest::keyPress(ok, Qt::Key_Space);
    QTest::keyPress(ok, Qt::Key_A);
    QTest::keyRelease(ok, Qt::Key_Space);
    QCOMPARE(dialog->answer(), QStringLiteral("OK"));

    // Space goes down on OK, then the mouse clicks: the click only uses up
    // the mark; the next click (Space coming up) answers.
    QVERIFY(openNotice());
    ok = button(*dialog, "CMDOK");
    QTest::keyPress(ok, Qt::Key_Space);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->answer(), QString());
    QTest::keyRelease(ok, Qt::Key_Space);
    QCOMPARE(dialog->answer(), QStringLiteral("OK"));
}

void TestWidgets::askRunsModallyThroughShowMsgAndCopies()
{
    setMsgPresenter([](const MsgRequest& r) { return MsgDialog::ask(r); });
    QGuiApplication::clipboard()->setText(QStringLiteral("旧内容"));
    QString seenTitle;
    QString copied;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<MsgDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        seenTitle = dialog->windowTitle();
        dialog->findChild<Check_Box*>(QStringLiteral("Check1"))->click();
        // Ctrl+C copies the text with plain line ends and answers nothing.
        QTest::keyClick(button(*dialog, "CMDNO"), Qt::Key_C, Qt::ControlModifier);
        copied = QGuiApplication::clipboard()->text();
        button(*dialog, "CMDNO")->click();
    });
    const QString answer =
        Show_Msg(QStringLiteral("速度：120字/分\r\n以后还提示吗？"), 2, 2, QStringLiteral("确认"), 4, -1);
    QCOMPARE(answer, QStringLiteral("NoT"));
    QCOMPARE(App().Msg_Result, QStringLiteral("NoT"));
    QCOMPARE(seenTitle, QStringLiteral("确认"));
    QCOMPARE(copied, QStringLiteral("速度：120字/分\n以后还提示吗？"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    setMsgPresenter({});
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
