#include "RunsFixture.h"
#include "ScriptedRandom.h"
#include "app/AppState.h"
#include "app/ClockTimer.h"
#include "controls/RunTimer.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "practice/DrillTime.h"
#include "practice/MouseField.h"
#include "practice/MouseSettings.h"
#include "practice/ui/Form_Test_Common.h"
#include "practice/ui/MousePage.h"
#include "store/Schema.h"
#include "store/Settings.h"

#include <QAction>
#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

using namespace tesmara;
using test::ScriptedRandom;

namespace {

using Mouse = MouseField::Mouse;

// A field whose three mice start at icon 201, Top 1000, Left 0; the numbers
// after that come from `then`.
struct Field {
    explicit Field(int action = MouseField::LeftClick) : random({0.0}), field(&random) { field.setAction(action); }
    void then(QList<double> values) { random.set(std::move(values)); }
    ScriptedRandom random;
    MouseField field;
};

// A double click as the window system delivers it: the second press comes
// as the double click.
void doubleClick(QWidget* widget, Qt::MouseButton button)
{
    const QPoint at(16, 16);
    QTest::mousePress(widget, button, {}, at);
    QTest::mouseRelease(widget, button, {}, at);
    QTest::mouseDClick(widget, button, {}, at);
    QTest::mouseRelease(widget, button, {}, at);
}

} // namespace

class TestMousePractice : public QObject {
    Q_OBJECT
private slots:
    void clockTimerTicksOnTheClock();
    void settingsAreRepaired_data();
    void settingsAreRepaired();
    void wander_data();
    void wander();
    void kills_data();
    void kills();
    void deadMiceWaitThenRunAgain();
    void dragIntoTheTarget();
    void mousePageInTheWindow();
};

void TestMousePractice::clockTimerTicksOnTheClock()
{
    ManualClock clock;
    ClockTimer timer(110, clock);
    QSignalSpy ticks(&timer, &ClockTimer::timeout);
    const auto after = [&](int ms) {
        clock.advanceMs(ms);
        timer.poll();
    };
    after(500);
    QCOMPARE(ticks.count(), 0); // off

    timer.setEnabled(true);
    after(109);
    QCOMPARE(ticks.count(), 0);
    after(1);
    QCOMPARE(ticks.count(), 1);
    // Ticks keep the beat: a poll 30 ms late does not shift the next one.
    after(140);
    QCOMPARE(ticks.count(), 2);
    after(80);
    QCOMPARE(ticks.count(), 3);
    QCOMPARE(timer.dropped(), 0);
    // Woken 3.5 intervals late: one tick, the two skipped ones counted.
    after(385);
    QCOMPARE(ticks.count(), 4);
    QCOMPARE(timer.dropped(), 2);
    // A new interval starts afresh; 0 stops the ticks.
    clock.advanceMs(50);
    timer.setInterval(350);
    after(349);
    QCOMPARE(ticks.count(), 4);
    after(1);
    QCOMPARE(ticks.count(), 5);
    timer.setInterval(0);
    after(1000);
    QCOMPARE(ticks.count(), 5);
}

void TestMousePractice::settingsAreRepaired_data()
{
    QTest::addColumn<QStringList>("stored"); // back picture, speed, test
    QTest::addColumn<QList<int>>("read");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("highest valid") << QStringList{"6", "4", "5"} << QList<int>{6, 4, 5} << QStringList{"6", "4", "5"};
    QTest::newRow("one too high") << QStringList{"7", "5", "6"} << QList<int>{1, 2, 0} << QStringList{"1", "2", "0"};
    QTest::newRow("negative") << QStringList{"-1", "-1", "-3"} << QList<int>{1, 2, 0} << QStringList{"1", "2", "0"};
    QTest::newRow("not a number counts as 0")
        << QStringList{"x", "", "3abc"} << QList<int>{0, 0, 3} << QStringList{"x", "", "3abc"};
}

void TestMousePractice::settingsAreRepaired()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, after);
    test::UserFolder user;
    const QStringList keys = {"Mouse_Test_Lase_BackPic", "Mouse_Test_Lase_Speed", "Mouse_Test_Lase_Test"};
    for (int i = 0; i < 3; ++i) {
        Settings(user.db()).setValue(keys[i], stored[i]);
    }
    const MouseSettings s = MouseSettings::read(user.db());
    QTEST((QList<int>{s.backPic, s.speed, s.test}), "read");
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(test::storedSetting(App().Conn_User, keys[i]), after[i]);
    }
    QCOMPARE(user.count(QStringLiteral("set_")), 3);
}

void TestMousePractice::wander_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QPoint>("from");           // left, top
    QTest::addColumn<QList<double>>("numbers"); // coin, [step], forward, [icon, height]
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("icon");
    const int click = MouseField::LeftClick;
    const int drag = MouseField::RightDrag;
    QTest::newRow("up") << click << QPoint(0, 2000) << QList<double>{0.7, 0.5, 0.5} << QPoint(100, 1950) << 201;
    QTest::newRow("up to the limit") << click << QPoint(0, 600) << QList<double>{0.5, 0.99, 0.0} << QPoint(0, 501)
                                     << 201;
    QTest::newRow("no higher") << click << QPoint(0, 599) << QList<double>{0.9, 0.999} << QPoint(199, 599) << 201;
    QTest::newRow("down") << click << QPoint(0, 2000) << QList<double>{0.2, 0.5, 0.25} << QPoint(50, 2050) << 201;
    QTest::newRow("down to the limit") << click << QPoint(0, 3399) << QList<double>{0.0, 0.99, 0.0} << QPoint(0, 3498)
                                       << 201;
    QTest::newRow("no lower") << click << QPoint(0, 3400) << QList<double>{0.4, 0.5} << QPoint(100, 3400) << 201;
    QTest::newRow("drag: no sinking") << drag << QPoint(0, 2000) << QList<double>{0.2, 0.5} << QPoint(100, 2000) << 201;
    QTest::newRow("drag: rising") << drag << QPoint(0, 2000) << QList<double>{0.6, 0.3, 0.5} << QPoint(100, 1970)
                                  << 201;
    QTest::newRow("right edge: still in")
        << click << QPoint(11100, 2000) << QList<double>{0.9, 0.0, 0.5} << QPoint(11200, 2000) << 201;
    // Past the edge: escaped, relaunched with the highest icon and height.
    QTest::newRow("right edge: escaped") << click << QPoint(11200, 2000)
                                         << QList<double>{0.9, 0.0, 0.01, 0.9999, 0.99999} << QPoint(0, 4499) << 218;
}

void TestMousePractice::wander()
{
    QFETCH(int, action);
    QFETCH(QPoint, from);
    QFETCH(QList<double>, numbers);
    QFETCH(QPoint, to);
    QFETCH(int, icon);
    Field f;
    // Mice 1 and 2 are killed, so the tick moves mouse 0 alone.
    f.field.click(1);
    f.field.click(2);
    f.field.setAction(action);
    f.field.place(0, from.x(), from.y());
    f.then(numbers);
    f.field.tick();
    QCOMPARE(QPoint(f.field.mouse(0).left, f.field.mouse(0).top), to);
    QCOMPARE(f.field.mouse(0).icon, icon);
    QCOMPARE(int(f.field.mouse(0).stage), icon - 200);
    QCOMPARE(f.field.escapes(), to.x() < from.x() ? 1 : 0);
}

void TestMousePractice::kills_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("leftButton");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("kills");
    QTest::newRow("left click, right button") << 0 << false << false << false;
    QTest::newRow("left click, double") << 0 << true << true << false;
    QTest::newRow("left double") << 1 << true << true << true;
    QTest::newRow("left double, single click") << 1 << true << false << false;
    QTest::newRow("left double, right button") << 1 << false << true << false;
    QTest::newRow("right click") << 2 << false << false << true;
    QTest::newRow("right click, left button") << 2 << true << false << false;
    QTest::newRow("left drag, click") << 4 << true << false << false;
    QTest::newRow("right drag, double") << 5 << false << true << false;
}

void TestMousePractice::kills()
{
    QFETCH(int, action);
    QFETCH(bool, leftButton);
    QFETCH(bool, doubleClick);
    QFETCH(bool, kills);
    Field f(action);
    f.field.press(1, leftButton);
    if (doubleClick) {
        f.field.doubleClick(1);
    } else {
        f.field.click(1);
    }
    QCOMPARE(f.field.kills(), kills ? 1 : 0);
    QCOMPARE(f.field.mouse(1).icon, kills ? 301 : 201);
    QCOMPARE(f.field.mouse(1).alive(), !kills);
}

void TestMousePractice::deadMiceWaitThenRunAgain()
{
    Field f;
    f.then({0.5});
    f.field.press(0, true);
    f.field.click(0);
    for (int tick = 1; tick < 10; ++tick) {
        f.field.tick();
        QCOMPARE(f.field.mouse(0).icon, 301);
    }
    // A click on the dead mouse counts once more and changes nothing else.
    const qint16 stage = f.field.mouse(0).stage;
    f.field.click(0);
    QCOMPARE(f.field.kills(), 2);
    QCOMPARE(f.field.mouse(0).stage, stage);
    QCOMPARE(f.field.mouse(0).icon, 301);
    f.field.tick(); // the tenth tick
    QCOMPARE(f.field.mouse(0).icon, 210);
    QCOMPARE(f.field.mouse(0).left, 0);
    QVERIFY(f.field.mouse(0).alive());
}

void TestMousePractice::dragIntoTheTarget()
{
    Field f(MouseField::LeftDrag);
    f.field.place(1, 1000, 3000);
    f.field.press(1, false);
    QCOMPARE(f.field.dragged(), -1); // the wrong button
    f.field.press(1, true);
    QCOMPARE(f.field.dragged(), 1);

    // The dragged mouse stays where the pointer has it.
    f.then({0.9, 0.5, 0.5});
    f.field.tick();
    QCOMPARE(f.field.mouse(1).left, 1000);
    QCOMPARE(f.field.mouse(1).top, 3000);
    QCOMPARE(f.field.mouse(0).left, 100);

    f.field.dragMove(1, 150, 300);
    QCOMPARE(f.field.mouse(1).left, 1150);
    QCOMPARE(f.field.mouse(1).top, 3300);
    // Out of bounds in one direction: only the other one is taken.
    f.field.dragMove(1, -950, 600);
    QCOMPARE(f.field.mouse(1).left, 1150);
    QCOMPARE(f.field.mouse(1).top, 3900);
    f.field.dragMove(0, 0, 2000); // not the dragged mouse
    QCOMPARE(f.field.mouse(0).top, 950);
    f.field.dragMove(1, 30, 1099);
    QCOMPARE(f.field.kills(), 0);
    // Into the strip: killed there. (The drag ending and the counts are
    // checked in the window test.)
    f.field.dragMove(1, 0, 1);
    QCOMPARE(f.field.mouse(1).top, 5000);
    QCOMPARE(f.field.mouse(1).icon, 301);
    // A dead mouse cannot be dragged; it runs again after eleven ticks.
    f.field.press(1, true);
    QCOMPARE(f.field.dragged(), -1);
    for (int tick = 1; tick <= 10; ++tick) {
        f.field.tick();
    }
    QCOMPARE(f.field.mouse(1).icon, 301);
    f.field.tick();
    QVERIFY(f.field.mouse(1).alive());
    // Beyond the lower bound a drag does not go.
    f.field.place(2, 1000, 4000);
    f.field.press(2, true);
    f.field.dragMove(2, 0, 1500);
    QCOMPARE(f.field.mouse(2).top, 4000);
    QCOMPARE(f.field.dragged(), 2);
}

void TestMousePractice::mousePageInTheWindow()
{
    test::UserFolder user;
    QVERIFY(App().Conn_Main.open(user.path() + QStringLiteral("d.at"), Database::Mode::ReadWrite));
    createAppTables(App().Conn_Main);
    Settings(user.db()).setValue(QStringLiteral("Mouse_Test_Lase_Speed"), QStringLiteral("4"));
    Settings(user.db()).setValue(QStringLiteral("Mouse_Test_Lase_Test"), QStringLiteral("0"));

    ManualClock clock;
    test::Seeded random;
    auto window = test::shownMainWindow(&clock, &random);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    QAction* item = window->menus().keyboardMouse[1];
    item->trigger();
    MousePage& page = window->mousePage();
    QVERIFY(item->isChecked());
    QCOMPARE(window->windowTitle(), QStringLiteral("Tesmara → 鼠标练习"));
    QCOMPARE(page.Timer_MouseTest->interval(), 110);     // the stored hardest difficulty
    QVERIFY(!page.Image_Test_Mouse->picture().isNull()); // background 2 by default
    QVERIFY(page.Image_MT->picture().isNull());
    auto rw = [&] { return page.Label_M_RW->Caption(); };
    QCOMPARE(rw(), QStringLiteral("消灭了 0 个，跑了 0 个"));

    auto ticks = [&](int n) {
        for (int i = 0; i < n; ++i) {
            clock.advanceMs(110);
            page.Timer_MouseTest->poll();
        }
    };
    // The mice enter one after another; after a while all three are in.
    ticks(40);
    for (int m = 0; m < MouseField::kMice; ++m) {
        QVERIFY(page.field().mouse(m).left >= 0);
    }
    MouseSprite* mouse0 = page.Image_Mouse[0];
    QVERIFY(mouse0->isVisible() && page.field().mouse(0).left > 0);
    QCOMPARE(mouse0->mapTo(&page, QPoint(0, 0)).x(), page.field().mouse(0).left / 15);

    // A left click kills in action 0.
    const int live = mouse0->icon();
    QTest::mouseClick(mouse0, Qt::LeftButton, {}, QPoint(16, 16));
    QCOMPARE(rw(), QStringLiteral("消灭了 1 个     跑了 0 个"));
    QCOMPARE(mouse0->icon(), live + 100);

    // Right double click: its first click alone kills nothing.
    page.Option_Test_Mouse_Mode[3]->click();
    MouseSprite* mouse1 = page.Image_Mouse[1];
    QTest::mouseClick(mouse1, Qt::RightButton, {}, QPoint(16, 16));
    QCOMPARE(rw(), QStringLiteral("消灭了 1 个     跑了 0 个"));
    doubleClick(mouse1, Qt::RightButton);
    QCOMPARE(rw(), QStringLiteral("消灭了 2 个     跑了 0 个"));

    // Left drag: the target strip appears; the mouse dies in it.
    page.Option_Test_Mouse_Mode[4]->click();
    QVERIFY(!page.Image_MT->picture().isNull());
    MouseSprite* mouse2 = page.Image_Mouse[2];
    QVERIFY(page.field().mouse(2).alive());
    QTest::mousePress(mouse2, Qt::LeftButton, {}, QPoint(16, 16));
    for (int step = 0; step < 40 && page.field().dragged() == 2; ++step) {
        QTest::mouseMove(mouse2, QPoint(4, 12));
    }
    QCOMPARE(page.field().dragged(), -1);
    QVERIFY(mouse2->mapTo(&page, QPoint(0, 0)).y() >= 5000 / 15);
    QVERIFY(page.Image_MT->geometry().contains(mouse2->geometry().center()));
    QTest::mouseRelease(mouse2, Qt::LeftButton, {}, QPoint(0, 0));
    QCOMPARE(rw(), QStringLiteral("消灭了 3 个     跑了 0 个"));

    // Mice that reach the right edge are counted as escaped.
    for (int n = 0; n < 400 && page.field().escapes() == 0; ++n) {
        ticks(1);
    }
    QCOMPARE(rw(), QStringLiteral("消灭了 3 个，跑了 %1 个").arg(page.field().escapes()));

    // The practice clock.
    clock.advanceMs(1000);
    page.Timer_OverTime->poll();
    QVERIFY(page.seconds() >= 1);
    QCOMPARE(page.Label_M_Time->Caption(), Drill_Time_Text(page.seconds()));

    // Pause hides the mice and stops both timers; continue brings them back.
    QTest::mouseClick(page.CMD_Test_Mouse_Pause, Qt::LeftButton);
    QCOMPARE(page.CMD_Test_Mouse_Pause->Caption(), QStringLiteral("继续"));
    QVERIFY(!page.Timer_MouseTest->isEnabled());
    QVERIFY(!page.Timer_OverTime->Enabled());
    QVERIFY(!mouse0->isVisible());
    QTest::mouseClick(page.CMD_Test_Mouse_Pause, Qt::LeftButton);
    QCOMPARE(page.CMD_Test_Mouse_Pause->Caption(), QStringLiteral("暂停"));
    QVERIFY(page.Timer_MouseTest->isEnabled() && page.Timer_OverTime->Enabled() && mouse0->isVisible());

    // Another practice stops the page and stores its choices.
    page.Combo_Test_Mouse_BackPic->setCurrentIndex(5);
    window->menus().chinese[0]->trigger();
    QVERIFY(!page.isVisible());
    QVERIFY(!page.Timer_MouseTest->isEnabled());
    QVERIFY(!page.Timer_OverTime->Enabled());
    QVERIFY(page.Image_Test_Mouse->picture().isNull());
    QVERIFY(page.Image_MT->picture().isNull());
    QCOMPARE(test::storedSetting(App().Conn_User, QStringLiteral("Mouse_Test_Lase_BackPic")), QStringLiteral("5"));
    QCOMPARE(test::storedSetting(App().Conn_User, QStringLiteral("Mouse_Test_Lase_Test")), QStringLiteral("4"));

    // Closing on the mouse practice reopens it next time.
    item->trigger();
    QCOMPARE(rw(), QStringLiteral("消灭了 0 个，跑了 0 个"));
    page.Combo_Test_Mouse_BackPic->setCurrentIndex(0);
    QVERIFY(page.Image_Test_Mouse->picture().isNull());
    window->close();
    window.reset();
    QCOMPARE(test::storedSetting(App().Conn_User, QStringLiteral("Last_Test")), QStringLiteral("401"));
    QCOMPARE(test::storedSetting(App().Conn_User, QStringLiteral("Mouse_Test_Lase_BackPic")), QStringLiteral("0"));
    auto again = test::shownMainWindow(&clock, &random);
    QVERIFY(again->menus().keyboardMouse[1]->isChecked());
    QCOMPARE(again->mousePage().Combo_Test_Mouse_Hard->currentIndex(), 4);
    QVERIFY(again->mousePage().Option_Test_Mouse_Mode[4]->Value());
    again->close();
}

QTEST_MAIN(TestMousePractice)
#include "tst_mousepractice.moc"
