// The boat game without a window: stored settings, speeds and clock texts,
// launching, movement, typing and sinking, driven tick by tick.

#include "RunsFixture.h"
#include "app/Clock.h"
#include "game/BoatGame.h"
#include "game/GameSettings.h"
#include "store/Settings.h"

#include <QtTest>

using namespace tesmara;
using namespace tesmara::game;
using test::Script;

namespace {

const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kRoots = QStringLiteral("金Q王G儿Q一G五G口K川K");
const QString kPairs = QStringLiteral("中国人民工人");

struct Game {
    explicit Game(GameMode mode, const QString& pool, bool large = false) : game(GameLayout{large}, clock, random)
    {
        game.chooseMode(mode, pool);
    }
    // The random values that launch `item` into `lane` (when no lane next
    // to the two launched last is chosen).
    QList<double> launchValues(const QString& item, int lane) const
    {
        const QString& pool = game.pool();
        const double len = pool.size();
        const double at = pool.indexOf(item);
        const int n = int(item.size());
        double r = (at / n + 0.5) * n / len;
        if (itemKind(game.mode()) == ItemKind::Root) {
            r = (at / 2 + 0.5) * 2 / len;
        } else if (itemKind(game.mode()) == ItemKind::Word) {
            r = (at - 1 + 0.5) / len; // from the space before the word
        }
        QList<int> free;
        for (int i = 0; i < GameLayout::kLanes; ++i) {
            if (!game.lane(i).boatVisible) {
                free << i;
            }
        }
        // The lane again for every re-pick, should it lie next to the last ones.
        QList<double> values = {r};
        values.append(QList<double>(11, (free.indexOf(lane) + 0.5) / free.size()));
        return values;
    }
    // Launches items into lanes, two movement ticks each.
    void launch(const QList<std::pair<QString, int>>& boats)
    {
        if (!game.running()) {
            game.CMD_Begin_Click();
        }
        for (const auto& [item, lane] : boats) {
            random.set(launchValues(item, lane));
            game.Timer_Go_Tick();
            game.Timer_Go_Tick();
            QVERIFY2(game.lane(lane).label == item, qPrintable(item));
        }
    }
    int typeText(const QString& text)
    {
        int last = -1;
        for (QChar c : text) {
            last = game.typeChar(c);
        }
        return last;
    }

    ManualClock clock;
    Script random;
    BoatGame game;
};

} // namespace

class TestBoatGame : public QObject {
    Q_OBJECT
private slots:
    void storedModes_data();
    void storedModes();
    void closingWithNothingChosenKeepsTheRows();
    void speedSteps();
    void launching();
    void labelPlacement_data();
    void labelPlacement();
    void movementAndEscapes();
    void typing_data();
    void typing();
    void sinking();
    void timersRunOnTheClock();
};

void TestBoatGame::storedModes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("repaired");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* stored, ModeGroup group, int index, const char* repaired, const char* caption) {
        QTest::addRow("%s", stored) << QString::fromUtf8(stored) << int(group) << index << QString::fromUtf8(repaired)
                                    << QString::fromUtf8(caption);
    };
    row("0", ModeGroup::Chinese, 0, "", "游戏模式 → 中文练习");
    row("7", ModeGroup::Chinese, 0, "0", "游戏模式 → 中文练习");
    row("", ModeGroup::Chinese, 0, "0", "游戏模式 → 中文练习");
    row("10", ModeGroup::English, 0, "", "游戏模式 → 英文练习(字母)");
    row("1", ModeGroup::English, 1, "", "游戏模式 → 英文练习(单词)");
    row("21", ModeGroup::Number, 1, "", "游戏模式 → 数字练习(带四则运算符)");
    row("2x", ModeGroup::Number, 0, "20", "游戏模式 → 数字练习");
    row("33", ModeGroup::WbText, 3, "", "游戏模式 → 五笔专区 → 字根");
    row("310", ModeGroup::WbPhrase, 2, "", "游戏模式 → 五笔专区 → 四字词组");
    row("38", ModeGroup::WbPhrase, 0, "", "游戏模式 → 五笔专区 → 二字词组");
    row("311", ModeGroup::WbText, 0, "30", "游戏模式 → 五笔专区 → 一级简码");
    row("3x", ModeGroup::WbText, 0, "30", "游戏模式 → 五笔专区 → 一级简码");
}

void TestBoatGame::storedModes()
{
    QFETCH(QString, stored);
    const StoredMode read = readStoredMode(stored);
    QTEST(int(read.mode.group), "group");
    QTEST(read.mode.index, "index");
    QTEST(read.repaired.value_or(QString()), "repaired");
    QTEST(modeCaption(read.mode), "caption");
    // What closing stores reads back as the same mode.
    QCOMPARE(readStoredMode(modeCode(read.mode)).mode, read.mode);
    if (read.repaired) {
        QCOMPARE(modeCode(read.mode), *read.repaired);
    }
}

// Closing with nothing chosen leaves the rows as they are.
void TestBoatGame::closingWithNothingChosenKeepsTheRows()
{
    test::UserFolder user;
    Settings(user.db()).setValue("Game1_Speed", "0");
    Settings(user.db()).setValue("Game1_Last_Test", "30");
    GameSettings::write(user.db(), std::nullopt, std::nullopt);
    QCOMPARE(test::storedSetting(user.db(), "Game1_Speed") + "|" + test::storedSetting(user.db(), "Game1_Last_Test"),
             QStringLiteral("0|30"));
}

// The elapsed-time text itself is shared with the drills and checked there.
void TestBoatGame::speedSteps()
{
    const int design[kSpeeds] = {358, 179, 119, 89, 72, 60};
    const int large[kSpeeds] = {458, 229, 153, 114, 92, 76}; // 5950/65 = 91.5 rounds to even
    for (int k = 0; k < kSpeeds; ++k) {
        QCOMPARE(speedStep(k, GameLayout{false}.riseDistance()), design[k]);
        QCOMPARE(speedStep(k, GameLayout{true}.riseDistance()), large[k]);
    }
}

void TestBoatGame::launching()
{
    Game g({ModeGroup::English, 0}, kLetters);
    BoatGame& game = g.game;
    game.CMD_Begin_Click();

    // The first launch comes on the second tick; lanes 0 and 1 lie next to
    // the remembered lanes (0, 0) and are picked again.
    g.random.set({(7 + 0.5) / 26, 0.05, 0.15, 0.55});
    game.Timer_Go_Tick();
    QCOMPARE(game.afloat(), 0);
    game.Timer_Go_Tick();
    QCOMPARE(game.afloat(), 1);
    QVERIFY(game.lane(5).boatVisible);
    QCOMPARE(game.lane(5).label, QStringLiteral("H"));
    QCOMPARE(game.recentLane(0), 0);
    QCOMPARE(game.recentLane(1), 5);

    // An item already on the water is drawn again.
    g.random.set({(7 + 0.5) / 26, (1 + 0.5) / 26, 7.5 / 9});
    game.Timer_Go_Tick();
    game.Timer_Go_Tick();
    QCOMPARE(game.lane(8).label, QStringLiteral("B"));
    QCOMPARE(game.recentLane(0), 5);
    QCOMPARE(game.recentLane(1), 8);

    // Ten re-picks near the remembered lanes (5, 8), then the tenth is taken.
    QList<double> nearFive = {(2 + 0.5) / 26};
    nearFive.append(QList<double>(11, 4.5 / 8));
    g.random.set(nearFive);
    game.Timer_Go_Tick();
    game.Timer_Go_Tick();
    QCOMPARE(game.lane(4).label, QStringLiteral("C"));
    QCOMPARE(g.random.used(), 12);

    // One root per key: 儿 shares Q with 金 and is passed over.
    Game roots({ModeGroup::WbText, 3}, kRoots);
    roots.launch({{QStringLiteral("金"), 4}});
    roots.random.set({(2 + 0.5) * 2 / kRoots.size(), (5 + 0.5) * 2 / kRoots.size(), 0.9});
    roots.game.Timer_Go_Tick();
    roots.game.Timer_Go_Tick();
    QCOMPARE(roots.game.lane(9).label, QStringLiteral("口"));

    // A pool too small for the water launches nothing rather than looping.
    Game tiny({ModeGroup::Number, 0}, QStringLiteral("1"));
    tiny.launch({{QStringLiteral("1"), 4}});
    tiny.game.Timer_Go_Tick();
    tiny.game.Timer_Go_Tick();
    QCOMPARE(tiny.game.afloat(), 1);
}

void TestBoatGame::labelPlacement_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pool");
    QTest::addColumn<bool>("large");
    QTest::addColumn<int>("lane");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    const QString four = QStringLiteral("一心一意");
    QTest::newRow("letter") << int(ModeGroup::English) << 0 << kLetters << false << 4 << 520 + 4 * 1105 + 15 << 555;
    QTest::newRow("letter, large") << int(ModeGroup::English) << 0 << kLetters << true << 4 << 675 + 4 * 1260 + 15
                                   << 555;
    QTest::newRow("short word") << int(ModeGroup::English) << 1 << QStringLiteral(" an") << false << 4
                                << 520 + 4 * 1105 + 15 << 555;
    QTest::newRow("long word") << int(ModeGroup::English) << 1 << QStringLiteral(" water") << false << 4
                               << 520 + 4 * 1105 - (1225 - 585) / 2 << 1225;
    QTest::newRow("two characters") << int(ModeGroup::WbPhrase) << 0 << kPairs << false << 4
                                    << 520 + 4 * 1105 - (930 - 585) / 2 << 930;
    QTest::newRow("four, design, lane 0") << int(ModeGroup::WbPhrase) << 2 << four << false << 0 << 15 << 1860;
    QTest::newRow("four, design, lane 9") << int(ModeGroup::WbPhrase) << 2 << four << false << 9 << 9600 << 1860;
    QTest::newRow("four, large, lane 9") << int(ModeGroup::WbPhrase) << 2 << four << true << 9
                                         << 675 + 9 * 1260 - (1860 - 585) / 2 << 1860;
}

void TestBoatGame::labelPlacement()
{
    QFETCH(int, group);
    QFETCH(int, index);
    QFETCH(QString, pool);
    QFETCH(bool, large);
    QFETCH(int, lane);
    Game g({ModeGroup(group), index}, pool, large);
    const QString item =
        pool.trimmed().left(itemKind(g.game.mode()) == ItemKind::Word ? -1 : phraseLength(g.game.mode()));
    g.launch({{item, lane}});
    QTEST(g.game.lane(lane).labelLeft, "left");
    QTEST(g.game.lane(lane).labelWidth, "width");
}

void TestBoatGame::movementAndEscapes()
{
    // Design size at "最快": 13 moves to -4, away on the 14th tick.
    Game g({ModeGroup::English, 0}, kLetters);
    BoatGame& game = g.game;
    game.chooseSpeed(0);
    g.launch({{QStringLiteral("A"), 4}});
    g.random.set({0.0}); // nothing more is launched: "A" again and again
    for (int tick = 1; tick <= 13; ++tick) {
        game.Timer_Go_Tick();
        QCOMPARE(game.lane(4).top, 4650 - tick * 358); // -4 at the 13th
    }
    game.Timer_Go_Tick();
    QVERIFY(!game.lane(4).boatVisible);
    QCOMPARE(game.lane(4).top, 4650);
    QCOMPARE(game.escapes(), 1);
    // The counts show on the next clock tick.
    QCOMPARE(game.countsText(), QStringLiteral("打中 0 个  跑掉 0 个"));
    game.Timer_OverTime_Tick();
    QCOMPARE(game.countsText(), QStringLiteral("打中 0 个  跑掉 1 个"));

    // Eight boats fill the water; then nothing is launched and the
    // remembered lanes are forgotten.
    Game full({ModeGroup::English, 0}, kLetters, true);
    full.game.chooseSpeed(5);
    full.launch({{"A", 2}, {"B", 4}, {"C", 6}, {"D", 8}, {"E", 0}, {"F", 9}, {"G", 3}, {"H", 5}});
    QCOMPARE(full.game.afloat(), 8);
    QCOMPARE(full.game.lane(2).top, 6155 - 14 * 76);
    full.game.Timer_Go_Tick();
    full.game.Timer_Go_Tick();
    QCOMPARE(full.game.afloat(), 8);
    QCOMPARE(full.game.recentLane(0), -1);
    QCOMPARE(full.game.recentLane(1), -1);

    // A mode choice empties the water and stops; the seconds stay.
    const qint32 seconds = game.seconds();
    g.launch({{"Q", 6}});
    game.Set_Initialize();
    QCOMPARE(game.afloat(), 0);
    QCOMPARE(game.escapes(), 0);
    QVERIFY(!game.running());
    QCOMPARE(game.beginCaption(), QStringLiteral("开始 (F5)"));
    QCOMPARE(game.seconds(), seconds);
    QVERIFY(!game.lane(6).boatVisible);
}

void TestBoatGame::typing_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pool");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("hit"); // lane hit by the last character, or -1
    QTest::addColumn<QString>("buffer");
    // Afloat: lane 4 and lane 7, items 0 and 1 of the pool.
    QTest::newRow("capital") << int(ModeGroup::English) << 0 << kLetters << "A" << 4 << "";
    QTest::newRow("other letter") << int(ModeGroup::English) << 0 << kLetters << "c" << -1 << "";
    QTest::newRow("Chinese") << int(ModeGroup::Chinese) << 0 << QStringLiteral("我们") << "们" << 7 << "";
    QTest::newRow("root on its key") << int(ModeGroup::WbText) << 3 << kRoots << "q" << 4 << "";
    QTest::newRow("key-name root") << int(ModeGroup::WbText) << 3 << QStringLiteral("王G金Q") << "q" << 7 << "";
    QTest::newRow("capital key") << int(ModeGroup::WbText) << 3 << kRoots << "Q" << -1 << "";
    QTest::newRow("z") << int(ModeGroup::WbText) << 3 << kRoots << "z" << -1 << "";
    QTest::newRow("three into two") << int(ModeGroup::WbPhrase) << 0 << kPairs << "中人民" << -1 << "民";
    QTest::newRow("word") << int(ModeGroup::English) << 1 << QStringLiteral(" sun sea") << "sEa" << 7 << "";
    QTest::newRow("word restarts") << int(ModeGroup::English) << 1 << QStringLiteral(" sun sea") << "sxsun" << 4 << "";
    QTest::newRow("word, half") << int(ModeGroup::English) << 1 << QStringLiteral(" sun sea") << "su" << -1 << "su";
}

void TestBoatGame::typing()
{
    QFETCH(int, group);
    QFETCH(int, index);
    QFETCH(QString, pool);
    QFETCH(QString, typed);
    QFETCH(int, hit);
    Game g({ModeGroup(group), index}, pool);
    const GameMode mode = g.game.mode();
    const auto item = [&](int i) {
        switch (itemKind(mode)) {
        case ItemKind::Root:
            return pool.mid(2 * i, 1);
        case ItemKind::Word:
            return pool.split(QLatin1Char(' '), Qt::SkipEmptyParts)[i];
        default:
            return pool.mid(i * phraseLength(mode), phraseLength(mode));
        }
    };
    g.launch({{item(0), 4}, {item(1), 7}});

    // Nothing counts while paused, not even into the phrase buffer.
    g.game.CMD_Begin_Click();
    QCOMPARE(g.typeText(typed), -1);
    QCOMPARE(g.game.phraseBuffer(), QString());
    g.game.CMD_Begin_Click();

    QCOMPARE(g.typeText(typed), hit);
    QTEST(g.game.phraseBuffer(), "buffer");
    QCOMPARE(g.game.hits(), hit >= 0 ? 1 : 0);
    for (int lane : {4, 7}) {
        QCOMPARE(g.game.lane(lane).state, quint8(lane == hit ? 1 : 0));
        QCOMPARE(g.game.lane(lane).labelVisible, lane != hit);
    }
}

void TestBoatGame::sinking()
{
    Game g({ModeGroup::Number, 0}, QStringLiteral("1234567890"));
    BoatGame& game = g.game;
    g.launch({{"1", 3}, {"2", 6}});
    QCOMPARE(game.typeChar(QLatin1Char('1')), 3);
    QCOMPARE(game.lane(3).label, QString()); // hit: picture 102, Timer1 on (the window's tests)

    // The sinking lane stays put while the others move, and finishes
    // during a pause.
    const int top = game.lane(3).top;
    game.Timer_Go_Tick();
    QCOMPARE(game.lane(3).top, top);
    game.CMD_Begin_Click();
    QCOMPARE(game.beginCaption(), QStringLiteral("继续 (F5)"));
    const QList<std::pair<int, int>> frames = {{2, 102}, {3, 103}, {0, 101}};
    for (const auto& [state, picture] : frames) {
        game.Timer1_Tick();
        QCOMPARE(int(game.lane(3).state), state);
        QCOMPARE(game.lane(3).picture, picture);
    }
    QVERIFY(!game.lane(3).boatVisible);
    QCOMPARE(game.lane(3).top, game.layout().startTop());
    QCOMPARE(game.afloat(), 1);
    QVERIFY(game.Timer1().isEnabled());
    game.Timer1_Tick();
    QVERIFY(!game.Timer1().isEnabled());

    // A mode choice in the middle of a sinking stops it.
    game.CMD_Begin_Click();
    QCOMPARE(game.typeChar(QLatin1Char('2')), 6);
    game.Timer1_Tick();
    game.chooseMode({ModeGroup::Number, 1}, QStringLiteral("1234567890+-*/"));
    QVERIFY(!game.Timer1().isEnabled());
    QCOMPARE(int(game.lane(6).state), 0);
    QCOMPARE(game.lane(6).picture, 101);
    QCOMPARE(game.hits(), 0);
}

void TestBoatGame::timersRunOnTheClock()
{
    Game g({ModeGroup::English, 0}, kLetters);
    BoatGame& game = g.game;
    game.CMD_Begin_Click();
    QCOMPARE(game.goPhase(), 0.0);
    g.clock.advanceMs(100);
    QCOMPARE(game.goPhase(), 0.5);
    game.Timer_Go().poll();
    QCOMPARE(game.afloat(), 0);
    g.clock.advanceMs(100);
    game.Timer_Go().poll();
    g.clock.advanceMs(200);
    game.Timer_Go().poll();
    QCOMPARE(game.afloat(), 1);
    g.clock.advanceMs(600);
    game.Timer_OverTime().poll();
    QCOMPARE(game.timeText(), QStringLiteral("游戏时间：1 秒"));
    // Paused, the clock and the boats stand still.
    game.CMD_Begin_Click();
    g.clock.advanceMs(5000);
    game.Timer_OverTime().poll();
    game.Timer_Go().poll();
    QCOMPARE(game.seconds(), 1);
    QCOMPARE(game.goPhase(), 0.0);
}

QTEST_MAIN(TestBoatGame)
#include "tst_boatgame.moc"
