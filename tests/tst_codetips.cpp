#include "app/AppState.h"
#include "app/Resources.h"
#include "practice/CodeTips.h"
#include "practice/TypingEngine.h"
#include "store/Database.h"
#include "wubi/WubiDict.h"

#include "TestSupport.h"

#include <QtTest>

#include <algorithm>

using namespace tesmara;

namespace {

// Sets the Wubi record of `ch` in `table`: up to four letters and the two
// short-code flags.
void setRecord(QByteArray& table, const QString& ch, const QString& letters, bool two, bool three)
{
    quint32 bits = 0;
    for (int i = 0; i < 4; ++i) {
        const quint32 v = i < letters.size() ? quint32(letters[i].unicode() - u'a' + 1) : 0;
        bits |= v << (19 - 5 * i);
    }
    bits |= (two ? 8u : 0u) | (three ? 4u : 0u);
    const int at = Gbk_Index(ch) * 3;
    table[at] = char(bits >> 16);
    table[at + 1] = char(bits >> 8);
    table[at + 2] = char(bits);
}

TopLines lines(std::initializer_list<QString> texts)
{
    TopLines tops;
    int r = 0;
    for (const QString& t : texts) {
        tops[r++] = t;
    }
    return tops;
}

} // namespace

class TestCodeTips : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void candidateAtTypingPosition_data();
    void candidateAtTypingPosition();
    void phraseCodeRule_data();
    void phraseCodeRule();
    void tipTexts_data();
    void tipTexts();
    void showTipsFromTheRows();
    void keyCharacters_data();
    void keyCharacters();
    void drillKeysAgreeWithTheListsAndTypeInTheEngine();
    void codeHint_data();
    void codeHint();

private:
    // A phrase database of our own, open as the one opened at login.
    void openPhrases();
    test::ProgramFolder m_folder;
};

void TestCodeTips::initTestCase()
{
    App().Wb86_Codes = binaryResource(101);
    App().Wb98_Codes = binaryResource(102);
    App().Py_Codes = binaryResource(104);
}

void TestCodeTips::openPhrases()
{
    const QString path = m_folder.path() + QStringLiteral("p.dat");
    {
        Database db;
        QVERIFY(db.open(path, Database::Mode::ReadWrite));
        for (int n = 2; n <= 5; ++n) {
            db.exec(QStringLiteral("create table v%1 (Phrase text, py text)").arg(n));
        }
        const QList<std::pair<QString, QString>> rows = {
            {QStringLiteral("五笔"), QStringLiteral("Wu Bi")},
            {QStringLiteral("五笔字"), QStringLiteral("wu bi zi")},
            {QStringLiteral("它's"), QStringLiteral("ta s")},
        };
        for (const auto& [phrase, py] : rows) {
            db.exec(QStringLiteral("insert into v%1 (Phrase, py) values (?, ?)").arg(phrase.size()), {phrase, py});
        }
    }
    QVERIFY(App().Conn_Phrase.open(path, Database::Mode::ReadOnly));
}

void TestCodeTips::candidateAtTypingPosition_data()
{
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("next");
    const auto row = [](const char* name, int typed, int line, int offset, const char* candidate, const char* next) {
        QTest::newRow(name) << typed << line << offset << QString::fromUtf8(candidate) << QString::fromUtf8(next);
    };
    row("start of a row", 0, 1, 1, "一二三四五", "一");
    row("inside a row", 2, 1, 1, "三四五六七", "三");
    row("offset 0 is the last typed", 2, 1, 0, "二三四五六", "二");
    row("completed from the next row", 5, 1, 1, "六七甲乙丙", "六");
    row("next row shorter than needed", 1, 2, 1, "乙丙短", "乙");
    row("row 6 wraps to row 0", 1, 6, 1, "尾子丑寅卯", "尾");
    row("row typed full", 7, 1, 1, "甲乙丙", "");
    row("before the row's start", 0, 1, 0, "", "");
    row("no such row", 0, 7, 1, "", "");
}

void TestCodeTips::candidateAtTypingPosition()
{
    QFETCH(int, typed);
    QFETCH(int, line);
    QFETCH(int, offset);
    const TopLines tops =
        lines({QStringLiteral("子丑寅卯辰"), QStringLiteral("一二三四五六七"), QStringLiteral("甲乙丙"),
               QStringLiteral("短"), QString(), QString(), QStringLiteral("末尾")});
    QTEST(Tip_Candidate(tops, typed, line, offset), "candidate");
    QTEST(QString(Tip_Next_Char(tops, typed, line, offset)).remove(QChar()), "next");
}

void TestCodeTips::phraseCodeRule_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("code");
    const auto row = [](const char* name, const char* phrase, const char* code) {
        QTest::newRow(name) << QString::fromUtf8(phrase) << QString::fromUtf8(code);
    };
    row("two characters: 2 + 2", "甲乙", "abef");
    row("three characters: 1 + 1 + 2", "甲乙丙", "aeij");
    row("four characters: one each", "甲乙丙丁", "aeim");
    row("five characters: 1, 2, 3 and 5", "甲乙丙丁戊", "aeiq");
    row("full code, not the short codes", "中乙", "xyef");
    row("a short full code gives what it has", "己乙", "zef");
    row("a character without code adds nothing", "甲a乙", "aef");
}

// The rule on a table of our own, so that every letter is known.
void TestCodeTips::phraseCodeRule()
{
    QFETCH(QString, phrase);
    QByteArray table(kWubiTableSize, '\0');
    setRecord(table, QStringLiteral("甲"), QStringLiteral("abcd"), false, false);
    setRecord(table, QStringLiteral("乙"), QStringLiteral("efgh"), true, true);
    setRecord(table, QStringLiteral("丙"), QStringLiteral("ijkl"), false, true);
    setRecord(table, QStringLiteral("丁"), QStringLiteral("mnop"), false, false);
    setRecord(table, QStringLiteral("戊"), QStringLiteral("qrst"), false, false);
    setRecord(table, QStringLiteral("中"), QStringLiteral("xyxy"), true, true); // also the one-letter k
    setRecord(table, QStringLiteral("己"), QStringLiteral("z"), false, false);
    QCOMPARE(Wb_Code(QStringLiteral("中"), table), QStringLiteral("k\r\nxy\r\nxyx\r\nxyxy"));
    QTEST(Phrase_Code(phrase, table), "code");
}

void TestCodeTips::tipTexts_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("py");
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<QString>("label");
    // phrase and py empty: no phrase found; `label` null: the label is kept.
    // (A phrase with all its codes and a character's 86 codes are shown
    // through the rows below.)
    const auto row = [](const char* name, int entry, bool running, const char* phrase, const char* py, const char* next,
                        const char* label) {
        QTest::newRow(name) << entry << running << QString::fromUtf8(phrase) << QString::fromUtf8(py)
                            << QString::fromUtf8(next) << (label != nullptr) << QString::fromUtf8(label);
    };
    row("phrase, 86", 1, true, "五笔", "Wu Bi", "五", "五笔：ggtt");
    row("phrase, 98", 2, true, "五笔", "Wu Bi", "五", "五笔：ggte");
    row("phrase, pinyin lower-cased", 3, true, "五笔", "Wu Bi", "五", "五笔：wu bi");
    row("phrase, no entry", 0, true, "五笔", "Wu Bi", "五", "五笔：");
    row("character, 98", 2, true, "", "", "我", "我：q  trny");
    row("character, pinyin", 3, true, "", "", "的", "的：de di");
    row("character, all", 4, true, "", "", "五", "五：| 五笔 86:gg  ggh  gghg | 五笔 98:gg  ggh  gghg | 拼音:wu");
    row("character without codes", 1, true, "", "", "，", "，：");
    row("character, no entry", 0, true, "", "", "我", nullptr);
    row("nothing left to type", 4, true, "", "", "", nullptr);
    row("no run", 4, false, "五笔", "Wu Bi", "五", "");
    row("no run, no entry", 0, false, "", "", "我", "");
}

void TestCodeTips::tipTexts()
{
    QFETCH(int, entry);
    QFETCH(bool, running);
    QFETCH(QString, phrase);
    QFETCH(QString, py);
    QFETCH(QString, next);
    const std::optional<QString> text = Tip_Text(entry, running, {phrase, py}, next.isEmpty() ? QChar() : next[0]);
    QTEST(text.has_value(), "changes");
    QTEST(text.value_or(QString()), "label");
}

// The phrase at the typing position, through the rows, with its codes, or
// the next character alone. (The longest phrase is found in the Wubi test.)
void TestCodeTips::showTipsFromTheRows()
{
    openPhrases();
    // A quote is matched as itself.
    QCOMPARE(Seek_Phrase(lines({QStringLiteral("说它's好")}), 1, 0, 1).phrase, QStringLiteral("它's"));
    TypingEngine engine;
    engine.putLine(0, QStringLiteral("学五笔"));
    engine.putLine(1, QStringLiteral("字的人"));
    engine.input(0).setText(QStringLiteral("学"));
    // 五笔 and the next row's 字 make the longer phrase 五笔字.
    QCOMPARE(Show_Tips(TipAll, true, engine, 0, 1),
             std::optional<QString>(QStringLiteral("五笔字：| 五笔 86:gtpb | 五笔 98:gtpb | 拼音:wu bi zi")));
    engine.putLine(1, QStringLiteral("好"));
    QCOMPARE(Show_Tips(TipAll, true, engine, 0, 1),
             std::optional<QString>(QStringLiteral("五笔：| 五笔 86:ggtt | 五笔 98:ggte | 拼音:wu bi")));
    // No phrase: the next character of the row alone.
    engine.input(0).setText(QStringLiteral("学五"));
    QCOMPARE(Show_Tips(Tip86, true, engine, 0, 1), std::optional<QString>(QStringLiteral("笔：tt  ttf  ttfn")));
    // Nothing left in the row: the label keeps its text.
    engine.input(0).setText(QStringLiteral("学五笔"));
    QCOMPARE(Show_Tips(Tip86, true, engine, 0, 1), std::nullopt);
    QCOMPARE(Show_Tips(Tip86, true, engine, 7, 1), std::nullopt);
}

void TestCodeTips::keyCharacters_data()
{
    QTest::addColumn<int>("drill");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("typed");
    const auto row = [](const char* name, KeyDrill drill, const char* key, const char* expected, const char* typed) {
        QTest::newRow(name) << int(drill) << QString::fromUtf8(key) << QString::fromUtf8(expected)
                            << QString::fromUtf8(typed);
    };
    const KeyDrill one = KeyDrill::OneLevel;
    const KeyDrill root = KeyDrill::Root;
    const KeyDrill name = KeyDrill::KeyName;
    row("one-level g for 我", one, "g", "我", "一");
    row("one-level capital letter", one, "Q", "我", "我");
    row("one-level z goes through", one, "z", "我", "");
    row("one-level digit goes through", one, "1", "我", "");
    row("root of another key", root, "a", "木", "工");
    row("root with nothing expected", root, "b", "", "子");
    row("root z goes through", root, "z", "戈", "");
    row("key name g for 土", name, "g", "土", "王");
    row("key name x types nothing", name, "x", "王", "");
    row("no key drill", KeyDrill::None, "g", "一", "");
}

// What a key types in each drill beyond the lists (those are checked below).
void TestCodeTips::keyCharacters()
{
    QFETCH(int, drill);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTEST(Drill_Key_Char(KeyDrill(drill), key[0], expected.isEmpty() ? QChar() : expected[0]), "typed");
}

// Every root of the root list sits on one key, is typed by it and hinted
// with it, and a root that is a character of its own begins its code with
// it; every key name is a root of the key its hint names, and each
// one-level character is typed by the key its code is.
void TestCodeTips::drillKeysAgreeWithTheListsAndTypeInTheEngine()
{
    const QString roots = stringResource(303);
    QCOMPARE(roots.size(), 266);
    QVERIFY(roots.contains(u'龶'));
    QMap<QChar, QChar> keyOf;
    for (int i = 0; i + 1 < roots.size(); i += 2) {
        const QChar root = roots[i];
        const QChar key = roots[i + 1];
        QVERIFY2(key >= u'A' && key <= u'Y' && !(root >= u'A' && root <= u'Z'), qPrintable(roots.mid(i, 2)));
        QCOMPARE(keyOf.value(root, key), key);
        keyOf[root] = key;
        QCOMPARE(Drill_Key_Char(KeyDrill::Root, key.toLower(), root), QString(root));
        QCOMPARE(Code_Hint(root, KeyDrill::Root, roots, 1),
                 QStringLiteral("< ") + root + QStringLiteral(" > 的五笔编码是： ") + key);
        const QString code = Wb_Code(QString(root), App().Wb86_Codes).split(QStringLiteral("\r\n")).last();
        QVERIFY2(code.isEmpty() || code[0] == key.toLower(), qPrintable(QString(root)));
    }
    QCOMPARE(keyOf.size(), 130);
    const QString names = stringResource(305);
    QCOMPARE(names.size(), 24);
    for (QChar c : names) {
        const QString hint = Code_Hint(c, KeyDrill::KeyName, names, 1);
        QVERIFY2(hint.startsWith(QStringLiteral("< ") + c + QStringLiteral(" > 的五笔编码是： ")), qPrintable(hint));
        QCOMPARE(keyOf.value(c), hint.back());
        QCOMPARE(Drill_Key_Char(KeyDrill::KeyName, hint.back().toLower(), c), QString(c));
    }
    QString levelOne;
    for (char16_t k = u'a'; k <= u'y'; ++k) {
        const QString typed = Drill_Key_Char(KeyDrill::OneLevel, QChar(k), QChar());
        QCOMPARE(Wb_Code(typed, App().Wb86_Codes).split(QStringLiteral("\r\n")).first(), QString(QChar(k)));
        levelOne += typed;
    }
    QString list = stringResource(300);
    std::sort(list.begin(), list.end());
    std::sort(levelOne.begin(), levelOne.end());
    QCOMPARE(levelOne, list);

    // The engine asks the lookup for each letter and counts what it types (a
    // key the drill has nothing on goes through: the main window's drill types
    // z). The one-level and root drills are chosen by their items there.
    QCOMPARE(Key_Drill_Of(5), KeyDrill::KeyName);
    QCOMPARE(Key_Drill_Of(4), KeyDrill::None);
    QCOMPARE(Key_Drill_Of(-1), KeyDrill::None);
    QVERIFY(!Drill_Lookup(TypingEngine(), KeyDrill::None));

    TypingEngine engine;
    engine.setKind(PracticeKind::Wubi);
    // The root drill reads the expected character of the row being typed.
    QStringList rows = {QStringLiteral("戈戈纟"), QStringLiteral("弓")};
    QObject::connect(&engine, &TypingEngine::fillRequested, &engine,
                     [&](int row) { engine.putLine(row, rows.isEmpty() ? QString() : rows.takeFirst()); });
    engine.setDrillLookup(Drill_Lookup(engine, KeyDrill::Root));
    engine.resetRows(0);
    engine.beginRun();
    engine.type(QStringLiteral("asx"));
    QCOMPARE(engine.input(0).Text(), QStringLiteral("戈木纟"));
    QCOMPARE(engine.Right_Count, 2);
    QCOMPARE(engine.Wrong_Count, 1);
    engine.type(QStringLiteral("x"));
    QCOMPARE(engine.input(1).Text(), QStringLiteral("弓"));
    QCOMPARE(engine.Right_Count, 3);
}

void TestCodeTips::codeHint_data()
{
    QTest::addColumn<QString>("c");
    QTest::addColumn<int>("drill");
    QTest::addColumn<QString>("practice");
    QTest::addColumn<int>("itemLength");
    QTest::addColumn<QString>("hint");
    const auto row = [](const char* name, const char* c, KeyDrill drill, const char* practice, int itemLength,
                        const char* hint) {
        QTest::newRow(name) << QString::fromUtf8(c) << int(drill) << QString::fromUtf8(practice) << itemLength
                            << QString::fromUtf8(hint);
    };
    const KeyDrill name = KeyDrill::KeyName;
    const KeyDrill root = KeyDrill::Root;
    const char* names = "王土大木工目日口田山禾白月人金言立水火之已子女又";
    const char* codes = "< 我 > 字的五笔编码是：\r\n\r\n86 版编码：\r\nq\r\ntrn\r\ntrnt\r\n\r\n"
                        "98 版编码：\r\nq\r\ntrny";
    row("key name drill, other character", "我", name, names, 1, "对不起，找不到 < 我 > 的相关五笔编码！");
    row("root, first occurrence", "木", root, "木S木X", 1, "< 木 > 的五笔编码是： S");
    row("root at the end of the text", "木", root, "金Q木", 1, "对不起，找不到 < 木 > 的相关五笔编码！");
    row("root not in the text", "戈", root, "金Q", 1, "对不起，找不到 < 戈 > 的相关五笔编码！");
    row("other drills: both code lists", "我", KeyDrill::None, "我人有", 1, codes);
    row("one-level drill: codes as well", "我", KeyDrill::OneLevel, "我人有", 1, codes);
    row("no code", "a", KeyDrill::None, "abc", 1, "对不起，找不到字符 < a > 的相关五笔编码！");
    row("phrase drill: no hint", "我", KeyDrill::None, "我们", 2, "");
    row("key-name phrase length: no hint", "王", name, names, 4, "");
}

void TestCodeTips::codeHint()
{
    QFETCH(QString, c);
    QFETCH(int, drill);
    QFETCH(QString, practice);
    QFETCH(int, itemLength);
    QTEST(Code_Hint(c[0], KeyDrill(drill), practice, itemLength), "hint");
}

QTEST_MAIN(TestCodeTips)
#include "tst_codetips.moc"
