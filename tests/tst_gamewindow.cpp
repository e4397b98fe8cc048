// The game window as a player meets it: seeded games typed through key
// events and input-method commits, the settings kept on close, and the
// hand-over with the main window and the next login.

#include "RunsFixture.h"
#include "app/AppState.h"
#include "app/Clock.h"
#include "app/ui/WindowRegistry.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/TextData.h"
#include "game/ui/BoatField.h"
#include "game/ui/Form_Test_Game1.h"
#include "practice/ui/Form_Test_Common.h"
#include "store/Settings.h"
#include "users/Login.h"
#include "users/ui/LoginWindow.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace tesmara;
using test::shown;
using namespace tesmara::game;

namespace {

// A logged-in user with the program database beside the user's.
class Session : public test::UserFolder {
public:
    Session()
    {
        App().Conn_Main.open(path() + QStringLiteral("d.at"), Database::Mode::ReadWrite);
        createAppTables(App().Conn_Main);
    }
    QString setting(const char* key) { return test::storedSetting(db(), QString::fromLatin1(key)); }
    void store(const char* key, const char* value)
    {
        Settings(db()).setValue(QString::fromLatin1(key), QString::fromUtf8(value));
    }
};

struct Played {
    explicit Played(bool large, quint32 seed = 7)
        : random(seed), window({.clock = &clock, .random = &random, .largeLayout = large})
    {
        window.show();
        QApplication::setActiveWindow(&window);
        field()->setFocus();
    }
    // Lets `ms` of game time pass, the timers looking at the clock as
    // their own wake-ups would.
    void play(int ms)
    {
        BoatGame& game = window.game();
        for (int t = 0; t < ms; t += 40) {
            clock.advanceMs(40);
            game.Timer1().poll();
            game.Timer_Go().poll();
            game.Timer_OverTime().poll();
        }
    }
    // Plays until `count` labels are on the water; returns their lanes.
    QList<int> afloat(int count)
    {
        QList<int> lanes;
        for (int t = 0; t < 60 && lanes.size() < count; ++t) {
            play(200);
            lanes.clear();
            for (int i = 0; i < GameLayout::kLanes; ++i) {
                if (window.label(i)->isVisible()) {
                    lanes << i;
                }
            }
        }
        return lanes;
    }
    QWidget* field() { return window.findChild<BoatField*>(QStringLiteral("Image2")); }
    QString caption(const char* name) { return window.findChild<MSG_Label*>(QLatin1String(name))->Caption(); }
    QAction* item(const char* name, int index = -1)
    {
        for (QAction* a : window.findChildren<QAction*>(QLatin1String(name))) {
            if (index < 0 || a->property("index").toInt() == index) {
                return a;
            }
        }
        return nullptr;
    }
    void commit(const QString& text, const QString& preedit = QString())
    {
        test::commitText(QApplication::focusWidget(), text, preedit);
    }
    // Where lane `i`'s boat is drawn and where its hull belongs.
    QPoint boatAt(int i) { return window.boat(i)->pos(); }
    QPoint hullPlace(int i)
    {
        const GameLayout& l = window.game().layout();
        const Lane& lane = window.game().lane(i);
        return QPoint(qRound(l.boatLeft(i) / 15.0) - Pic_Boat::kHullX, qRound(lane.top / 15.0) - Pic_Boat::kHullY);
    }

    ManualClock clock;
    test::Seeded random;
    Form_Test_Game1 window;
};

} // namespace

class TestGameWindow : public QObject {
    Q_OBJECT
private slots:
    void lettersTypedThroughKeys();
    void phrasesCommittedByAnInputMethod();
    void switchesWithTheMainWindowAndLogin();
};

void TestGameWindow::lettersTypedThroughKeys()
{
    Session s;
    s.store("Game1_Last_Test", "12");
    s.store("Game1_Speed", "7");
    s.store("Game1_Sound", "1");
    Played p(true);
    Form_Test_Game1& w = p.window;

    // Bad settings were repaired as the window read them.
    QCOMPARE(s.setting("Game1_Last_Test"), QStringLiteral("10"));
    QCOMPARE(s.setting("Game1_Speed"), QStringLiteral("3"));
    QCOMPARE(w.windowTitle(), QStringLiteral("游戏模式 → 英文练习(字母)"));
    QVERIFY(p.item("Menu_Test_English_Text", 0)->isChecked());
    QVERIFY(p.item("Menu_Speed_", 3)->isChecked());
    QCOMPARE(w.findChild<QMenu*>(QStringLiteral("Menu_Speed"))->title(), QStringLiteral("游戏速度：慢    "));
    QVERIFY(p.item("Menu_Sound_Sound")->isChecked());
    QVERIFY(!p.item("Menu_Test_English")->isEnabled());
    QVERIFY(!p.item("Menu_Test_English_Text", 1)->isEnabled());
    QCOMPARE(p.field()->size(), QSize(885, 579));
    QCOMPARE(p.caption("Label_Time"), QStringLiteral("游戏时间：0 秒"));

    // Keys before the start count for nothing; F5 starts.
    QTest::keyClick(p.field(), Qt::Key_A);
    QTest::keyClick(p.field(), Qt::Key_F5);
    QCOMPARE(w.findChild<Cmd*>(QStringLiteral("CMD_Begin"))->Caption(), QStringLiteral("暂停 (F5)"));
    const QList<int> lanes = p.afloat(4);
    QCOMPARE(lanes.size(), 4);
    for (int lane : lanes) {
        QVERIFY(w.boat(lane)->isVisible());
        QCOMPARE(p.boatAt(lane), p.hullPlace(lane));
        QCOMPARE(w.label(lane)->y(), p.boatAt(lane).y() + Pic_Boat::kHullY + qRound(500 / 15.0));
    }

    // Backspace, Enter and function keys hit nothing; each label's letter,
    // typed in lower case, sinks its boat.
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_F2, Qt::Key_Escape}) {
        QTest::keyClick(p.field(), key);
    }
    QCOMPARE(w.game().hits(), 0);
    for (int lane : lanes) {
        const QString letter = w.label(lane)->Text();
        QTest::keyClick(p.field(), letter.toLower().at(0).toLatin1());
        QVERIFY(!w.label(lane)->isVisible());
        QCOMPARE(w.boat(lane)->picture(), 102);
    }
    QCOMPARE(w.game().hits(), 4);
    p.play(1000);
    QCOMPARE(p.caption("Label_Show"), QStringLiteral("打中 4 个  跑掉 0 个"));
    QVERIFY(!w.game().Timer1().isEnabled());

    // Closing keeps the speed and the mode, and names the game for the next login.
    p.item("Menu_Speed_", 1)->trigger();
    QCOMPARE(w.game().speedStep(), 229);
    s.store("Last_Test_Mode", "0");
    w.close();
    QCOMPARE(s.setting("Game1_Speed"), QStringLiteral("1"));
    QCOMPARE(s.setting("Game1_Last_Test"), QStringLiteral("10"));
    QCOMPARE(s.setting("Game1_Sound"), QStringLiteral("1"));
    QCOMPARE(s.setting("Last_Test_Mode"), QStringLiteral("1"));
}

void TestGameWindow::phrasesCommittedByAnInputMethod()
{
    Session s;
    s.store("Game1_Last_Test", "38");
    Played p(false, 11);
    Form_Test_Game1& w = p.window;
    QCOMPARE(p.field()->size(), QSize(765, 479));
    QTest::mouseClick(w.findChild<Cmd*>(QStringLiteral("CMD_Begin")), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), p.field());
    const QList<int> lanes = p.afloat(3);
    QCOMPARE(lanes.size(), 3);

    // Text still being composed counts for nothing. (Nothing counts while
    // paused: the game's own test.)
    p.commit(QString(), QStringLiteral("zhong"));
    QCOMPARE(w.game().phraseBuffer(), QString());

    // A phrase committed at once, and one character by character.
    p.commit(w.label(lanes[0])->Text());
    QVERIFY(!w.label(lanes[0])->isVisible());
    const QString second = w.label(lanes[1])->Text();
    p.commit(second.left(1));
    QCOMPARE(w.game().phraseBuffer(), second.left(1));
    p.commit(second.mid(1));
    QVERIFY(!w.label(lanes[1])->isVisible());
    QCOMPARE(w.game().hits(), 2);

    // Closed in the middle of a sinking: the settings are still stored.
    p.commit(w.label(lanes[2])->Text());
    QVERIFY(w.game().Timer1().isEnabled());
    w.close();
    QCOMPARE(s.setting("Game1_Last_Test"), QStringLiteral("38"));
    QCOMPARE(s.setting("Last_Test_Mode"), QStringLiteral("1"));
}

void TestGameWindow::switchesWithTheMainWindowAndLogin()
{
    Session s;
    Form_Test_Common::install();
    Form_Test_Game1::install();

    // The main window's game item opens the game and closes itself.
    windowRegistry().openMainWindow();
    auto* main = shown<Form_Test_Common>();
    QVERIFY(main);
    main->menus().gameMode->trigger();
    QTRY_VERIFY(!shown<Form_Test_Common>());
    auto* game = shown<Form_Test_Game1>();
    QVERIFY(game);
    QCOMPARE(s.setting("Last_Test_Mode"), QStringLiteral("0"));

    // The game's "普通模式" goes back.
    game->findChild<QAction*>(QStringLiteral("Menu_Test_Mode_"))->trigger();
    QTRY_VERIFY(!shown<Form_Test_Game1>());
    QVERIFY(shown<Form_Test_Common>());
    QCOMPARE(s.setting("Last_Test_Mode"), QStringLiteral("1"));

    // The next login, after the game was the last window, opens the game.
    shown<Form_Test_Common>()->hide();
    App().Conn_User.close();
    const auto first = Login_Data();
    QVERIFY(first);
    QCOMPARE(*first, FirstWindow::Game);
    LoginWindow::openFirstWindow(*first);
    QVERIFY(shown<Form_Test_Game1>());
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->close();
    }
    windowRegistry() = {};
}

QTEST_MAIN(TestGameWindow)
#include "tst_gamewindow.moc"
