#include "controls/ui/TS.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/Option.h"
#include "controls/ui/Picture.h"
#include "controls/ui/Text.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QtTest>

#include <thread>

using namespace tesmara;

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void tabStripCaptionsStayWithinTabs();
    void tabStripPicksByMouseAndKeys();
    void textKeysAndCommitsGoThroughKeyPress();
    void textLengthLimits();
    void checkBoxAndOptionClicks();
    void optionArrowsPickTheNeighbour();
    void cmdClicksFromKeyboardAndMouse();
    void disabledWidgetsIgnoreInput();
    void cmdLooksDifferInEveryState();
    void picturesDecodedAheadAreTheOnesRead();
};

void TestWidgets::tabStripCaptionsStayWithinTabs()
{
    // A strip too narrow for roomy tabs keeps every caption whole, also the
    // chosen tab's in bold, as long as the captions themselves fit.
    TS many;
    const QStringList captions{"中文练习", "字根", "键名字", "四字词组", "识别码", "一级简码"};
    many.setTabCount(int(captions.size()));
    QFont bold = many.font();
    bold.setBold(true);
    int least = 20; // a little room beside the captions, less than roomy tabs take
    for (int i = 0; i < captions.size(); ++i) {
        many.Set_Text(i, captions[i]);
        least += QFontMetrics(bold).horizontalAdvance(captions[i]) + 10;
    }
    many.resize(least, 28);
    many.Make_Form();
    for (int i = 0; i < captions.size(); ++i) {
        QVERIFY(many.tabRect(i).width() >= QFontMetrics(bold).horizontalAdvance(captions[i]) + 8);
    }
}

void TestWidgets::tabStripPicksByMouseAndKeys()
{
    TS ts;
    ts.setTabCount(4);
    for (int i = 0; i < 4; ++i) {
        ts.Set_Text(i, QStringLiteral("页%1").arg(i));
    }
    ts.resize(400, 28);
    ts.Make_Form();
    QList<int> seen;
    connect(&ts, &TS::Click, &ts, [&] { seen.append(ts.TSWhoUp()); });

    // Code choosing a tab raises nothing.
    ts.setTSWhoUp(1);
    QVERIFY(seen.isEmpty());

    QTest::mouseClick(&ts, Qt::LeftButton, {}, ts.tabRect(2).center());
    QCOMPARE(seen, QList<int>{2});
    QTest::keyClick(&ts, Qt::Key_Right);
    QTest::keyClick(&ts, Qt::Key_Right); // already the last tab
    QTest::keyClick(&ts, Qt::Key_Home);
    QTest::keyClick(&ts, Qt::Key_Left); // already the first tab
    QTest::keyClick(&ts, Qt::Key_End);
    QCOMPARE(seen, (QList<int>{2, 3, 0, 3}));
    QCOMPARE(ts.TSWhoUp(), 3);

    // Equal widths share the whole strip.
    ts.setTSETrue(true);
    QVERIFY(qAbs(ts.tabRect(0).width() - ts.tabRect(3).width()) <= 1);
    QCOMPARE(ts.tabRect(3).right(), ts.width() - 2);
    QCOMPARE(ts.tabAt(QPoint(ts.width() - 2, 5)), 3);
}

void TestWidgets::textKeysAndCommitsGoThroughKeyPress()
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
}

void TestWidgets::textLengthLimits()
{
    Text text;
    text.setMaxLength(3);
    QTest::keyClicks(text.findChild<QWidget*>(QStringLiteral("Txt")), QStringLiteral("abcdef"));
    QCOMPARE(text.text(), QStringLiteral("abc"));
    text.SelAll();
    QCOMPARE(text.SelLength(), 3);
    // The multi-line box keeps the limit.
    text.setMultiLine(true);
    text.setText(QString());
    QTest::keyClicks(text.findChild<QWidget*>(QStringLiteral("Txt")), QStringLiteral("wxyz"));
    QCOMPARE(text.text(), QStringLiteral("wxy"));
}

void TestWidgets::checkBoxAndOptionClicks()
{
    QWidget window;
    auto* box = new Check_Box(QStringLiteral("以后不再显示"), &window);
    box->setGeometry(0, 0, 120, 18);
    QCOMPARE(box->findChild<QWidget*>(QStringLiteral("Label_C")) != nullptr, true);
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

    auto* option = new Option(QStringLiteral("五笔字根表"), &window);
    option->setGeometry(0, 20, 120, 18);
    QSignalSpy optionClicks(option, &Option::Click);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, 9));
    QVERIFY(option->Value());
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, 9));
    QVERIFY(option->Value()); // an option does not clear itself
    QCOMPARE(optionClicks.count(), 2);
    option->setValue(false);
    QCOMPARE(optionClicks.count(), 2);
}

void TestWidgets::optionArrowsPickTheNeighbour()
{
    QWidget group;
    QList<Option*> options;
    for (int i = 0; i < 3; ++i) {
        options.append(new Option(QStringLiteral("项%1").arg(i), &group));
    }
    options[1]->setEnabled(false);
    group.show();
    QSignalSpy last(options[2], &Option::Click);
    QSignalSpy first(options[0], &Option::Click);
    QTest::keyClick(options[0], Qt::Key_Down); // skips the disabled one
    QCOMPARE(last.count(), 1);
    QVERIFY(options[2]->Value());
    QVERIFY(!options[1]->Value());
    QTest::keyClick(options[2], Qt::Key_Down); // wraps round
    QCOMPARE(first.count(), 1);
    QVERIFY(options[0]->Value());
}

void TestWidgets::cmdClicksFromKeyboardAndMouse()
{
    QWidget window;
    auto* cmd = new Cmd(QStringLiteral("关闭(&C)"), &window);
    cmd->setGeometry(10, 10, 88, 28);
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
}

void TestWidgets::disabledWidgetsIgnoreInput()
{
    QWidget window;
    auto* cmd = new Cmd(QStringLiteral("确定(&O)"), &window);
    cmd->setGeometry(0, 0, 80, 26);
    auto* box = new Check_Box(QStringLiteral("选项"), &window);
    box->setGeometry(0, 30, 80, 18);
    auto* option = new Option(QStringLiteral("选项"), &window);
    option->setGeometry(0, 50, 80, 18);
    auto* ts = new TS(&window);
    ts->setGeometry(0, 70, 200, 26);
    auto* text = new Text(&window);
    text->setGeometry(0, 100, 120, 24);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QSignalSpy cmdClicks(cmd, &Cmd::Click);
    QSignalSpy boxClicks(box, &Check_Box::Click);
    QSignalSpy optionClicks(option, &Option::Click);
    QSignalSpy tabClicks(ts, &TS::Click);
    int keyPresses = 0;
    connect(text, &Text::KeyPress, text, [&](int&) { ++keyPresses; });
    for (QWidget* w : std::initializer_list<QWidget*>{cmd, box, option, ts, text}) {
        w->setProperty("Enabled", false);
        QVERIFY(!w->isEnabled());
    }
    QTest::mouseClick(cmd, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(cmd, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    cmd->click();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 9));
    QTest::keyClick(box, Qt::Key_Space);
    box->click();
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, 9));
    QTest::mouseClick(ts, Qt::LeftButton, {}, ts->tabRect(1).center());
    QTest::keyClick(ts, Qt::Key_Right);
    QTest::keyClicks(text->inner(), QStringLiteral("abc"));
    QCOMPARE(cmdClicks.count(), 0);
    QCOMPARE(boxClicks.count(), 0);
    QCOMPARE(optionClicks.count(), 0);
    QCOMPARE(tabClicks.count(), 0);
    QCOMPARE(keyPresses, 0);
    QVERIFY(!box->Value());
    QVERIFY(!option->Value());
    QCOMPARE(ts->TSWhoUp(), 0);
    QCOMPARE(text->text(), QString());

    cmd->setEnabled(true);
    QTest::mouseClick(cmd, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(cmdClicks.count(), 1);
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
    QVERIFY(!cmd->hasFocus());
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

QTEST_MAIN(TestWidgets)
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

#include "tst_widgets.moc"
