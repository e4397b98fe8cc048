#include "RunsFixture.h"
#include "ScriptedRandom.h"
#include "mistakes/MistakeStore.h"
#include "mistakes/MistakeTally.h"
#include "mistakes/WeakDrill.h"
#include "practice/Fingering.h"
#include "practice/PracticeRecord.h"
#include "practice/TypingEngine.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

using namespace tesmara;

Q_DECLARE_METATYPE(tesmara::MistakePeriod)

namespace {

const QDate kToday(2024, 5, 20);
const QString kFarChar = QString::fromUcs4(U"\U00020000"); // outside the BMP (and GBK)

// "a 2/1 >x1; b 0/1 >y1" — every character with right/wrong and its
// substitutes, in code point order.
QString describe(const QList<CharFigures>& chars)
{
    QStringList parts;
    for (const CharFigures& c : chars) {
        QString part = keyCaption(c.ch) + QStringLiteral(" %1/%2").arg(c.right).arg(c.wrong);
        for (const Substitute& s : c.substitutes) {
            part += QStringLiteral(" >") + keyCaption(s.typed) + QString::number(s.count);
        }
        parts << part;
    }
    return parts.join(QStringLiteral("; "));
}

QList<CharFigures> figuresOf(const MistakeTally& tally)
{
    QList<CharFigures> chars;
    for (auto it = tally.counts().cbegin(); it != tally.counts().cend(); ++it) {
        CharFigures c{it.key(), it->right, it->wrong, {}};
        for (auto p = tally.pairs().cbegin(); p != tally.pairs().cend(); ++p) {
            if (MistakeTally::pairExpected(p.key()) == c.ch) {
                c.substitutes << Substitute{MistakeTally::pairTyped(p.key()), p.value()};
            }
        }
        std::sort(c.substitutes.begin(), c.substitutes.end(),
                  [](const Substitute& a, const Substitute& b) { return a.typed < b.typed; });
        chars << c;
    }
    std::sort(chars.begin(), chars.end(), [](const CharFigures& a, const CharFigures& b) { return a.ch < b.ch; });
    return chars;
}

// A tally from "expected typed count" triples: "的的5 的得1".
MistakeTally tallyOf(const QString& triples)
{
    MistakeTally tally;
    for (const QString& item : triples.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QList<uint> cps = item.toUcs4();
        const QString pair = QString::fromUcs4(reinterpret_cast<const char32_t*>(cps.constData()), 2);
        const int n = item.mid(pair.size()).toInt();
        for (int i = 0; i < n; ++i) {
            tally.add(cps[0], cps[1]);
        }
    }
    return tally;
}

QByteArray digest(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5) : QByteArray();
}

QStringList asideFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("mistakes.db.2*")}, QDir::Files);
}

// A user folder whose statistics are counted on a fixed day.
struct Counted : test::UserFolder {
    Counted()
    {
        store.setToday([this] { return today; });
    }
    QString folder() const { return QFileInfo(App().Conn_User.path()).absolutePath() + QLatin1Char('/'); }
    bool run(int kind, const QString& triples, int daysAgo = 0)
    {
        today = kToday.addDays(-daysAgo);
        const bool ok = store.prepare() && store.storeRun(kind, tallyOf(triples));
        today = kToday;
        return ok;
    }
    QDate today = kToday;
    MistakeStore store{App().Conn_User};
};

// The child of killedWritesLeaveWholeRuns: writes runs, each a record and
// its counts in one transaction, and says so after each, until killed.
int writeRunsUntilKilled(const QString& dbPath)
{
    QCoreApplication::setApplicationName(QStringLiteral("writer"));
    Database db;
    if (!db.open(dbPath, Database::Mode::ReadWrite)) {
        return 2;
    }
    MistakeStore store(db);
    if (!store.prepare()) {
        return 3;
    }
    const MistakeTally tally = tallyOf(QStringLiteral("的的3 的得1 在再2"));
    for (int n = 1;; ++n) {
        db.transaction([&] {
            Add_Record(db, 0, QStringLiteral("60"), QStringLiteral("1"), QStringLiteral("50 %"));
            return store.addRun(0, tally);
        });
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
}

} // namespace

class TestMistakes : public QObject {
    Q_OBJECT
private slots:
    void engineTallyFollowsTheCounters_data();
    void engineTallyFollowsTheCounters();
    void keysCountedByFingeringAndPlacedOnTheHeatMap();
    void countsByKindAndPeriod_data();
    void countsByKindAndPeriod();
    void weakestRankByRateAndDrillsWeighByRank();
    void resetOrDamageEmptiesTheStatistics();
    void unusableFilesAreRebuiltOrRefused_data();
    void unusableFilesAreRebuiltOrRefused();
    void killedWritesLeaveWholeRuns();
};

void TestMistakes::engineTallyFollowsTheCounters_data()
{
    QTest::addColumn<int>("itemLength");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("typed"); // \b is Backspace
    QTest::addColumn<QString>("counts");
    QTest::addRow("all right") << 1 << "abc" << QStringLiteral("abc") << "a 1/0; b 1/0; c 1/0";
    QTest::addRow("wrong one and what was typed") << 1 << "abc" << QStringLiteral("axc") << "a 1/0; b 0/1 >x1; c 1/0";
    QTest::addRow("Backspace takes a wrong key back")
        << 1 << "abc" << QStringLiteral("ax\bbc") << "a 1/0; b 1/0; c 1/0";
    QTest::addRow("Backspace takes a right key back") << 1 << "ab" << QStringLiteral("a\bxb") << "a 0/1 >x1; b 1/0";
    QTest::addRow("same slip twice") << 1 << "asas" << QStringLiteral("aaaa") << "a 2/0; s 0/2 >a2";
    QTest::addRow("full-width comma for half-width")
        << 1 << "我,你" << QStringLiteral("我，你") << ", 0/1 >，1; 你 1/0; 我 1/0";
    QTest::addRow("outside the BMP counts once, a wrong one taken back")
        << 1 << kFarChar + "字" << QString::fromUcs4(U"\U00020001") + "\b\b" + kFarChar + "字"
        << "字 1/0; " + kFarChar + " 1/0";
    QTest::addRow("word drill Backspace drops the word")
        << 2 << "天地　玄黄" << QStringLiteral("天地玄x\b玄黄") << "地 1/0; 天 1/0; 玄 1/0; 黄 1/0";
}

void TestMistakes::engineTallyFollowsTheCounters()
{
    QFETCH(int, itemLength);
    QFETCH(QString, reference);
    QFETCH(QString, typed);
    QFETCH(QString, counts);
    TypingEngine engine;
    QObject::connect(&engine, &TypingEngine::fillRequested, &engine,
                     [&](int row) { engine.putLine(row, row == 0 ? reference : QString()); });
    engine.setKind(PracticeKind::Chinese);
    engine.setItemLength(itemLength);
    engine.resetRows(0);
    engine.beginRun();
    for (QChar ch : typed) {
        engine.type(ch);
    }
    QCOMPARE(describe(figuresOf(engine.tally())), counts);
    if (!reference.contains(kFarChar)) {
        // In the Basic Multilingual Plane the tally adds up to the run.
        QCOMPARE(engine.tally().rightTotal(), qint64(engine.Right_Count));
        QCOMPARE(engine.tally().wrongTotal(), qint64(engine.Wrong_Count));
    }
    engine.resetCounters();
    QVERIFY(engine.tally().isEmpty());
}

void TestMistakes::keysCountedByFingeringAndPlacedOnTheHeatMap()
{
    test::ScriptedRandom random({0.0, 0.5});
    Fingering keys(&random);
    keys.setKeySet(QStringLiteral("AS"));
    keys.press(Fingering::kRestartCode); // target A, not counted
    keys.press('s');                     // wrong: S for A
    keys.press('a');                     // right, lower case counts; target S
    keys.press('\r');
    QCOMPARE(describe(figuresOf(keys.tally())), QStringLiteral("A 1/1 >S1; S 0/1 >回车1"));

    Fingering pad(&random);
    pad.setNumberPad(true);
    pad.setKeySet(QStringLiteral("ce"));
    pad.press(Fingering::kRestartCode); // target c (the / key)
    pad.press('7');
    pad.press('/');
    pad.press(13); // Enter for e
    QCOMPARE(describe(figuresOf(pad.tally())), QStringLiteral("小键盘 / 1/1 >小键盘 71; 小键盘 回车 1/0"));
    pad.resetCounts();
    QVERIFY(pad.tally().isEmpty());

    // Characters on the keys of the heat map.
    using keyboard::Board;
    const QList<CharFigures> chars = {
        {U'a', 10, 1, {{U's', 1}}}, {U'A', 4, 1, {{U's', 1}}},
        {U'，', 5, 2, {{U'.', 2}}}, {U',', 1, 0, {}},
        {U'!', 2, 0, {}},           {U' ', 30, 3, {}},
        {U'的', 9, 9, {}},          {padKey(QLatin1Char('e')), 1, 1, {}},
    };
    KeyHeat heat = Key_Heat(chars);
    Board board = Board::NumberPad;
    const int a = Key_Index_Of(U'a', &board);
    QCOMPARE(int(board), int(Board::Main));
    QCOMPARE(heat.main[a].right, qint64(14));
    QCOMPARE(heat.main[a].wrong, qint64(2));
    QCOMPARE(Substitutes_Text(heat.main[a].substitutes), QStringLiteral("s ×2"));
    const int comma = Key_Index_Of(U',', &board);
    QCOMPARE(Key_Index_Of(U'，', &board), comma);
    QCOMPARE(Key_Index_Of(U'<', &board), comma);
    QCOMPARE(heat.main[comma].total(), qint64(8));
    QCOMPARE(Key_Index_Of(U'!', &board), Key_Index_Of(U'1', &board));
    QCOMPARE(Key_Index_Of(U'的', &board), -1);
    QCOMPARE(heat.main.size(), 4);
    const int enter = Key_Index_Of(padKey(QLatin1Char('e')), &board);
    QCOMPARE(int(board), int(Board::NumberPad));
    QCOMPARE(Key_Tip(Board::NumberPad, enter, &heat.pad[enter]),
             QStringLiteral("小键盘 回车 键\n打对 1 次，打错 1 次\n错误率 50%"));
    QCOMPARE(Key_Tip(Board::Main, Key_Index_Of(U'q', &board), nullptr), QStringLiteral("Q 键\n这段时间没有练习到"));
}

void TestMistakes::countsByKindAndPeriod_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<MistakePeriod>("period");
    QTest::addColumn<qint64>("runs");
    QTest::addColumn<QString>("chars");
    QTest::addRow("Chinese, all time") << 0 << MistakePeriod::All << qint64(2)
                                       << "再 0/1 >在1; 在 2/1 >再1; 的 8/2 >地1 >得1";
    QTest::addRow("Chinese, 30 days") << 0 << MistakePeriod::Month << qint64(1) << "的 3/1 >地1";
    QTest::addRow("Chinese, 7 days") << 0 << MistakePeriod::Week << qint64(0) << "";
    QTest::addRow("every kind, 7 days") << kAllKinds << MistakePeriod::Week << qint64(2)
                                        << "A 8/2 >S2; a 10/0; s 4/1 >d1; 小键盘 7 3/1 >小键盘 81";
    QTest::addRow("every kind, 30 days ends today")
        << kAllKinds << MistakePeriod::Month << qint64(3)
        << "A 8/2 >S2; a 10/0; s 4/1 >d1; 的 3/1 >地1; 小键盘 7 3/1 >小键盘 81";
    QTest::addRow("a kind without runs") << 2 << MistakePeriod::All << qint64(0) << "";
}

void TestMistakes::countsByKindAndPeriod()
{
    QFETCH(int, kind);
    QFETCH(MistakePeriod, period);
    QFETCH(qint64, runs);
    QFETCH(QString, chars);
    Counted s;
    const QString pad7 = QString(QChar(char16_t(padKey(QLatin1Char('7')))));
    const QString pad8 = QString(QChar(char16_t(padKey(QLatin1Char('8')))));
    QVERIFY(s.run(0, "的的5 的得1 在在2 在再1 再在1", 40));
    QVERIFY(s.run(0, "的的3 的地1", 29)); // the first day of 30
    QVERIFY(s.run(1, "aa10 ss4 sd1", 6)); // the first day of 7
    QVERIFY(s.run(4, "AA8 AS2 " + pad7 + pad7 + "3 " + pad7 + pad8 + "1"));
    QVERIFY(s.run(3, "", 30)); // a day before the 30 days
    const MistakeFigures f = s.store.read(kind, period);
    QVERIFY(f.ok);
    QCOMPARE(f.runs, runs);
    QCOMPARE(describe(f.chars), chars);
    qint64 right = 0;
    qint64 wrong = 0;
    for (const CharFigures& c : f.chars) {
        right += c.right;
        wrong += c.wrong;
    }
    QCOMPARE(f.right, right);
    QCOMPARE(f.wrong, wrong);
}

void TestMistakes::weakestRankByRateAndDrillsWeighByRank()
{
    const QList<CharFigures> chars = {
        {U'a', 97, 3, {}}, // 3 %
        {U'b', 0, 2, {}},  // wrong both times
        {U'c', 6, 2, {}},  // 25 %
        {U'd', 50, 0, {}}, // never wrong: not listed
        {U'e', 2, 1, {}},  // 33.3 %, but one slip in three
        {U'f', 12, 4, {}}, // 25 % again and again
        {U'g', 9, 3, {}},  // 25 %, as many tries as f but fewer slips
    };
    QStringList order;
    for (const CharFigures& c : Weakest(chars)) {
        order << keyCaption(c.ch) + QLatin1Char(' ') + Rate_Text(c.errorRate());
    }
    QCOMPARE(order, QStringList({"b 100%", "f 25%", "g 25%", "c 25%", "e 33.3%", "a 3%"}));

    MistakeFigures f;
    f.runs = 3;
    f.right = 970;
    f.wrong = 30;
    QCOMPARE(Summary_Text(f), QStringLiteral("完成练习 3 次　共打 1000 个字符　打错 30 个　正确率 97%"));
    QCOMPARE(Summary_Text(MistakeFigures{}), QStringLiteral("没有练习"));
    QCOMPARE(Substitutes_Text({{U'己', 5}, {U' ', 2}, {U'x', 1}, {U'y', 1}}), QStringLiteral("己 ×5　空格 ×2　x ×1"));

    test::ScriptedRandom random({0.1, 0.7, 0.4, 0.9, 0.25, 0.55});
    // Chinese: 20 % against 10 % against 5 %, ranked with the overall 10 %
    // as 4/30, 3/30 and 3/40; no character twice running.
    const QList<CharFigures> chinese = {{U'己', 8, 2, {}}, {U'已', 9, 1, {}}, {U'巳', 19, 1, {}}};
    const QString text = Drill_Text(Weakest(chinese), 0, random);
    QCOMPARE(text.count(QStringLiteral("己")), 86); // 200 × (4/30) / (4/30 + 3/30 + 3/40)
    QCOMPARE(text.count(QStringLiteral("已")), 65);
    QCOMPARE(text.count(QStringLiteral("巳")), 49);
    QVERIFY(!text.contains(QLatin1Char(' ')));
    // A character follows itself only when nothing else is left.
    for (int i = 1; i < text.size(); ++i) {
        QVERIFY2(text[i] != text[i - 1] || text.mid(i).count(text[i]) == text.size() - i, qPrintable(text));
    }

    // Fingering keys are typed without Shift, pad keys as their signs; the
    // space bar and Enter cannot be put in a line. Letters come in fives.
    const QList<CharFigures> keys = {
        {U'Q', 1, 1, {}}, {U' ', 1, 1, {}}, {padKey(QLatin1Char('e')), 1, 1, {}}, {padKey(QLatin1Char('c')), 1, 1, {}}};
    const QString drill = Drill_Text(Weakest(keys), 4, random);
    QCOMPARE(drill.count(QLatin1Char('q')), 100);
    QCOMPARE(drill.count(QLatin1Char('/')), 100);
    QVERIFY(QRegularExpression(QStringLiteral("^([q/]{5} )*[q/]{5}$")).match(drill).hasMatch());
    QCOMPARE(Drill_Text(Weakest({{U' ', 0, 3, {}}}), 1, random), QString());
}

void TestMistakes::resetOrDamageEmptiesTheStatistics()
{
    Counted s;
    QVERIFY(s.run(0, "的的1 的得1"));
    QVERIFY(s.run(1, "aa1 ab1", 100));
    QVERIFY(s.store.reset(0));
    QCOMPARE(s.store.read(0, MistakePeriod::All).runs, qint64(0));
    QCOMPARE(describe(s.store.read(kAllKinds, MistakePeriod::All).chars), QStringLiteral("a 1/1 >b1"));
    QVERIFY(s.store.reset(kAllKinds));
    QVERIFY(!s.store.hasHistory());

    // Damage found while reading: the file is rebuilt at the next preparation.
    // Enough characters for the tables to span many pages.
    QString many;
    for (char32_t c = 0x4E00; c < 0x4E00 + 3000; ++c) {
        many += QString::fromUcs4(&c, 1) + QString::fromUcs4(&c, 1) + QStringLiteral("2 ");
    }
    QVERIFY(s.run(0, many));
    const QString file = s.store.path();
    {
        // Another connection scribbles over the table pages behind our back.
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        QVERIFY(size > 64 * 1024);
        f.seek(8192);
        QVERIFY(f.write(QByteArray(int(size - 8192), '\x5A')) == size - 8192);
    }
    // Read afresh, as at the next login: the damage shows on reading, and
    // the next preparation moves the file aside and starts anew.
    const QString dbPath = App().Conn_User.path();
    App().Conn_User.close();
    QVERIFY(App().Conn_User.open(dbPath, Database::Mode::ReadWrite));
    MistakeStore fresh(App().Conn_User);
    QVERIFY(fresh.prepare(false));
    QVERIFY(!fresh.read(kAllKinds, MistakePeriod::All).ok);
    QVERIFY(fresh.prepare());
    QVERIFY(fresh.takeNotice().contains(QStringLiteral("已损坏")));
    QCOMPARE(asideFiles(s.folder()).size(), 1);
    QVERIFY(fresh.read(kAllKinds, MistakePeriod::All).ok);
    QVERIFY(!fresh.hasHistory());
}

void TestMistakes::unusableFilesAreRebuiltOrRefused_data()
{
    QTest::addColumn<QByteArray>("contents"); // "" for the file of a newer version
    QTest::addColumn<bool>("rebuilt");
    QTest::addRow("not a database") << QByteArray("these are no statistics\n") << true;
    QTest::addRow("another SQLite file") << QByteArray("sqlite") << true;
    QTest::addRow("written by a newer version") << QByteArray() << false;
}

void TestMistakes::unusableFilesAreRebuiltOrRefused()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, rebuilt);
    Counted s;
    const QString file = s.folder() + QStringLiteral("mistakes.db");
    // Missing: nothing to tell, made by the first counted run.
    QVERIFY(!s.store.prepare(false));
    QVERIFY(s.store.takeNotice().isEmpty());
    QVERIFY(!QFileInfo::exists(file));
    {
        Database other;
        QVERIFY(other.open(file, Database::Mode::ReadWrite));
        if (contents == "sqlite") {
            other.exec(QStringLiteral("create table runs (x)"));
        } else {
            other.exec(QStringLiteral("pragma user_version = 2"));
            other.exec(QStringLiteral("pragma application_id = 1414353748"));
        }
    }
    if (!contents.isEmpty() && contents != "sqlite") {
        QVERIFY(test::writeFile(file, contents));
    }
    const QByteArray before = digest(file);
    const QByteArray userDb = digest(App().Conn_User.path());

    QCOMPARE(s.store.prepare(false), rebuilt);
    const QString notice = s.store.takeNotice();
    QVERIFY2(notice.contains(rebuilt ? QStringLiteral("已损坏") : QStringLiteral("更新版本")), qPrintable(notice));
    QVERIFY(s.store.takeNotice().isEmpty()); // told once
    QCOMPARE(s.store.refused(), !rebuilt);
    if (rebuilt) {
        const QStringList aside = asideFiles(s.folder());
        QCOMPARE(aside.size(), 1);
        QVERIFY(notice.contains(aside.first()));
        QCOMPARE(digest(s.folder() + aside.first()), before);
        QVERIFY(s.run(2, "111 121"));
        QCOMPARE(describe(s.store.read(2, MistakePeriod::All).chars), QStringLiteral("1 1/1 >21"));
    } else {
        QVERIFY(!s.run(2, "111 121"));
        QVERIFY(!s.store.read(2, MistakePeriod::All).ok);
        QCOMPARE(digest(file), before);
        QVERIFY(asideFiles(s.folder()).isEmpty());
    }
    QCOMPARE(digest(App().Conn_User.path()), userDb);
}

void TestMistakes::killedWritesLeaveWholeRuns()
{
    Counted s;
    const QString dbPath = App().Conn_User.path();
    App().Conn_User.close();
    for (int round = 0; round < 12; ++round) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TESMARA_WRITE_UNTIL_KILLED"), dbPath);
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(writer.waitForStarted());
        // Killed at once after its first, second or third run: most often
        // in the middle of the next one.
        int seen = 0;
        while (seen <= round % 3 && writer.waitForReadyRead(10000)) {
            seen += int(writer.readAll().count('\n'));
        }
        QVERIFY(seen > 0);
        writer.kill();
        QVERIFY(writer.waitForFinished());

        Database db;
        QVERIFY(db.open(dbPath, Database::Mode::ReadWrite));
        MistakeStore store(db);
        QVERIFY(store.prepare(false));
        QVERIFY(store.takeNotice().isEmpty());
        const qint64 records = db.scalar(QStringLiteral("select count(*) from testlog"))->toLongLong();
        const MistakeFigures f = store.read(0, MistakePeriod::All);
        QCOMPARE(f.runs, records);
        const QString whole =
            records == 0
                ? QString()
                : QStringLiteral("在 0/%1 >再%1; 的 %2/%3 >得%3").arg(2 * records).arg(3 * records).arg(records);
        QCOMPARE(describe(f.chars), whole);
    }
}

int main(int argc, char** argv)
{
    const QString killed = qEnvironmentVariable("TESMARA_WRITE_UNTIL_KILLED");
    if (!killed.isEmpty()) {
        QCoreApplication app(argc, argv);
        return writeRunsUntilKilled(killed);
    }
    QApplication app(argc, argv);
    TestMistakes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mistakes.moc"
