#include "RunsFixture.h"
#include "app/Clock.h"
#include "app/Msg.h"
#include "practice/LastTest.h"
#include "practice/TextSource.h"
#include "store/RecordCode.h"

#include <QtTest>

using namespace tesmara;

namespace {

// Numbered characters make positions visible: character i of the essay is
// the code point 0x4E00 + i - 1 (1-based).
QString essay(int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        text.append(QChar(0x4E00 + i));
    }
    return text;
}

QString englishText()
{
    return QStringLiteral("Title: one two three four five six seven eight nine ten eleven twelve "
                          "thirteen fourteen fifteen sixteen seventeen eighteen nineteen twenty.");
}

QString loader(int id)
{
    if (id == 100 + 2) {
        return englishText();
    }
    if (id == 100 + 5) {
        return QString(70, QLatin1Char('x')) + QStringLiteral(" end ");
    }
    return essay(100);
}

using test::addArticle;
using test::position;
using test::Script;

} // namespace

class TestTextSource : public QObject {
    Q_OBJECT
private slots:
    void chineseLinesFromTheStoredPosition_data();
    void chineseLinesFromTheStoredPosition();
    void englishLinesEndAfterAWord();
    void generatedAndDrillLines();
    void savedArticlesByTheirNamesCheckedAndFilledByWidth();
    void positionsAreKeptPerText();
    void englishPositionsResumeAtAWord_data();
    void englishPositionsResumeAtAWord();
    void lastPracticeRestore_data();
    void lastPracticeRestore();
};

void TestTextSource::chineseLinesFromTheStoredPosition_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("from"); // first line: `from` and on, wrapping at the end of the essay
    QTest::addColumn<int>("next");
    QTest::newRow("wraps at the end") << 91 << 91 << 21;
    QTest::newRow("ends at the end") << 71 << 71 << 1;
    QTest::newRow("the last character") << 100 << 100 << 30;
    for (const int stored : {0, -4, 101, 5000}) {
        QTest::addRow("outside the text: %d", stored) << stored << 1 << 31;
    }
}

void TestTextSource::chineseLinesFromTheStoredPosition()
{
    QFETCH(int, stored);
    QFETCH(int, from);
    QFETCH(int, next);
    test::UserFolder user;
    TextSource src(user.db(), nullptr, loader);
    user.db().exec(QStringLiteral("insert into test_no (N, No_) values ('0003', ?)"), {stored});
    src.chooseChinese(3);
    QCOMPARE(src.textType(), 0);
    src.rewindToStoredPosition();
    QCOMPARE(src.Test_Pos, from);
    const QString twice = essay(100).repeated(2);
    QCOMPARE(src.nextLine(), twice.mid(from - 1, 30));
    QCOMPARE(src.Test_Pos, next);
    QCOMPARE(src.nextLine(), twice.mid(next - 1, 30));
}

void TestTextSource::englishLinesEndAfterAWord()
{
    test::UserFolder user;
    TextSource src(user.db(), nullptr, loader);
    src.chooseEnglish(2);
    QCOMPARE(src.textType(), 1);
    src.rewindToStoredPosition();
    const QString text = englishText();
    // The cut is after the last space within the 60 characters.
    const QString first = src.nextLine();
    QCOMPARE(first, text.left(text.left(60).lastIndexOf(QLatin1Char(' ')) + 1));
    QCOMPARE(src.Test_Pos, first.size() + 1);
    // Reading on through the end continues from the title again.
    QString all = first;
    for (int i = 0; i < 6; ++i) {
        const QString line = src.nextLine();
        QVERIFY(!line.isEmpty() && line.size() <= 60);
        all += line;
    }
    QVERIFY(all.startsWith(text + text.left(10)));

    // A stretch without a space stays whole (60 characters).
    src.chooseEnglish(5);
    src.rewindToStoredPosition();
    QCOMPARE(src.nextLine(), QString(60, QLatin1Char('x')));
    QCOMPARE(src.Test_Pos, 61);
    QCOMPARE(src.nextLine(), QStringLiteral("xxxxxxxxxx end "));
}

void TestTextSource::generatedAndDrillLines()
{
    test::UserFolder user;
    Script random({0.0, 0.999999, 0.5, 0.04});
    TextSource src(user.db(), &random, loader);

    src.chooseEnglish(10);
    src.setEnglishWidth(true);
    QCOMPARE(src.textType(), 0);
    QString line = src.nextLine();
    QCOMPARE(line.size(), 30);
    QVERIFY(line.startsWith(QStringLiteral("aznb")));
    src.setEnglishWidth(false);
    QCOMPARE(src.textType(), 1);
    QCOMPARE(src.nextLine().size(), 60);

    src.chooseNumbers(0);
    random.restart();
    src.setNumberWidth(true);
    QCOMPARE(src.textType(), 0);
    line = src.nextLine();
    QCOMPARE(line.size(), 30);
    QVERIFY(line.startsWith(QStringLiteral("0950")));
    src.setNumberWidth(false);
    QCOMPARE(src.textType(), 1);
    src.chooseNumbers(1);
    random.restart();
    line = src.nextLine();
    QCOMPARE(line.size(), 60);
    // Index 24 of the operator alphabet is "/", 12 is "2", 1 is "1".
    QVERIFY(line.startsWith(QStringLiteral("0/21")));
    // Everything drawn stays inside its alphabet.
    for (const QChar c : line) {
        QVERIFY(QStringLiteral("0123456789.+-*/").contains(c));
    }

    // Drills draw whole items from their lists.
    random.set({0.0, 0.5, 0.99});
    src.chooseDrill(QStringLiteral("工了以在有"), 1);
    QCOMPARE(src.nextLine(), QStringLiteral("工以有").repeated(10));
    // The root drill draws the roots of the root-letter pairs, never a letter.
    src.chooseDrill(QStringLiteral("金Q儿Q夕Q"), 1, true);
    QCOMPARE(src.nextLine(), QStringLiteral("金儿夕").repeated(10));
    src.chooseDrill(QStringLiteral("中国人民经济"), 2);
    QCOMPARE(src.drillItemLength(), 2);
    const QStringList words = src.nextLine().split(QChar(0x3000));
    QCOMPARE(words.size(), 10);
    QCOMPARE(words.mid(0, 3), (QStringList{"中国", "人民", "经济"}));
}

void TestTextSource::savedArticlesByTheirNamesCheckedAndFilledByWidth()
{
    test::UserFolder user;
    TextSource src(user.db(), nullptr, loader);
    // Saved articles are found by their names as they stand: for the menus,
    // the text and the reading position.
    QVERIFY(Load_Menus_SaveText(user.db()).user.isEmpty());
    const QStringList names{QStringLiteral("it's_u"), QStringLiteral("100%_u"), QStringLiteral("a\\b_u"),
                            QStringLiteral("%_u"),    QStringLiteral("a_u_u"),  QStringLiteral("a'';--_w")};
    for (const QString& n : names) {
        addArticle(user.db(), n, essay(60) + n);
    }
    for (const QString& n : names) {
        QVERIFY2(src.chooseArticle(n), qPrintable(n));
        QCOMPARE(src.Test_Text, essay(60) + n);
        src.saveReadingPosition(40);
        QCOMPARE(position(user.db(), "text_", n), 41);
    }
    QCOMPARE(user.db().scalar(QStringLiteral("select count(*) from text_ where No_ = 41"))->toInt(), names.size());
    const SavedArticleMenus menus = Load_Menus_SaveText(user.db());
    QCOMPARE(menus.user, (QStringList{"it's", "100%", "a\\b", "%", "a_u"}));
    QCOMPARE(menus.review, QStringList{"a'';--"});

    const QString text = essay(60);
    addArticle(user.db(), QStringLiteral("好文_u"), text, 7);
    QVERIFY(src.chooseArticle(QStringLiteral("好文_u")));
    QCOMPARE(src.kind(), PracticeKind::Article);
    QCOMPARE(src.textType(), 2);
    src.rewindToStoredPosition();
    QCOMPARE(src.Test_Pos, 7);
    // The default row: 30 full-width or 60 half-width characters.
    QCOMPARE(src.nextLine(), text.mid(6, 30));
    QCOMPARE(src.Test_Pos, 37);

    // (A text that does not match its check code is refused in the window test.)
    MsgScript::pushAnswer(QStringLiteral("OK"));
    QVERIFY(!src.chooseArticle(QStringLiteral("没有_u")));
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("数据文件错误"));
    QCOMPARE(src.Test_Text, text);
    addArticle(user.db(), QStringLiteral("空_u"), QStringLiteral(""));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    QVERIFY(!src.chooseArticle(QStringLiteral("空_u")));
    QCOMPARE(src.Test_Text, text);
    QCOMPARE(MsgScript::pending(), 0);

    const QString mixed = QStringLiteral("ab中") + QString(70, QLatin1Char('c'));
    addArticle(user.db(), QStringLiteral("混_u"), mixed);
    QVERIFY(src.chooseArticle(QStringLiteral("混_u")));
    src.rewindToStoredPosition();
    // 2 half + 1 full + 56 half = 60 half cells' width less one: "c" no. 57
    // overflows it and is taken off again.
    QCOMPARE(src.nextLine(), mixed.left(59));
    QCOMPARE(src.Test_Pos, 60);

    // A narrower row, as the window measures it.
    src.setLineWidth(0, 15 + 10 * 375);
    QCOMPARE(src.nextLine(), QString(14, QLatin1Char('c')) + QStringLiteral("ab中c"));
}

void TestTextSource::positionsAreKeptPerText()
{
    test::UserFolder user;
    TextSource src(user.db(), nullptr, loader);
    // The first choice of a text adds its row at 1; choosing again adds nothing.
    src.chooseEnglish(2);
    QCOMPARE(src.positionKey(), QStringLiteral("0102"));
    src.chooseChinese(4);
    QCOMPARE(src.positionKey(), QStringLiteral("0004"));
    QCOMPARE(position(user.db(), "test_no", "0004"), 1);
    src.chooseEnglish(2);
    src.chooseChinese(4);
    QCOMPARE(user.count("test_no"), 2);

    src.saveReadingPosition(93);
    QCOMPARE(position(user.db(), "test_no", "0004"), 94);
    // 94 + 10 reaches past the end of the 100 characters: (104 - 100) mod 100.
    src.saveReadingPosition(10);
    QCOMPARE(position(user.db(), "test_no", "0004"), 4);
    src.saveReadingPosition(250);
    QCOMPARE(position(user.db(), "test_no", "0004"), 54);
    // The next reset of the rows starts where the run stopped.
    src.nextLine();
    src.rewindToStoredPosition();
    QCOMPARE(src.Test_Pos, 54);
    // A row removed meanwhile is added again.
    user.db().exec(QStringLiteral("delete from test_no"));
    src.saveReadingPosition(5);
    QCOMPARE(position(user.db(), "test_no", "0004"), 6);

    // Generated practice keeps no position.
    src.chooseNumbers(0);
    src.saveReadingPosition(40);
    src.chooseEnglish(10);
    QVERIFY(src.positionKey().isEmpty());
    src.saveReadingPosition(40);
    QCOMPARE(user.count("test_no"), 1);
}

void TestTextSource::englishPositionsResumeAtAWord_data()
{
    QTest::addColumn<bool>("article");
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("expected");
    // "Title: one two three four five six ...": "one" is at 8, the space
    // after it at 11, "two" at 12, "five" at 27.
    QTest::newRow("inside a word") << false << 8 << 8;
    QTest::newRow("at the start of a word") << false << 11 << 12;
    QTest::newRow("on the space after a word") << false << 10 << 11;
    QTest::newRow("last of the first 30") << false << 29 << 27;
    QTest::newRow("past the first 30") << false << 44 << 45;
    QTest::newRow("to the end wraps to 1") << false << int(englishText().size() - 1) << 1;
    // Chinese has no spaces: within the first 30 characters back to 1.
    QTest::newRow("article, first 30") << true << 20 << 1;
    QTest::newRow("article, further on") << true << 80 << 81;
}

void TestTextSource::englishPositionsResumeAtAWord()
{
    QFETCH(bool, article);
    QFETCH(int, typed);
    QFETCH(int, expected);
    test::UserFolder user;
    TextSource src(user.db(), nullptr, loader);
    if (article) {
        addArticle(user.db(), QStringLiteral("文_u"), essay(200));
        QVERIFY(src.chooseArticle(QStringLiteral("文_u")));
    } else {
        src.chooseEnglish(2);
    }
    src.saveReadingPosition(typed);
    QCOMPARE(position(user.db(), article ? "text_" : "test_no", src.positionKey()), expected);
}

void TestTextSource::lastPracticeRestore_data()
{
    using Item = LastPractice::Item;
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("repaired");
    QTest::addRow("numbers 1") << "201" << int(Item::Numbers) << 1 << "";
    QTest::addRow("numbers 2") << "202" << int(Item::Numbers) << 0 << "200";
    QTest::addRow("code drill 7") << "307" << int(Item::CodeDrill) << 7 << "";
    QTest::addRow("two-character words") << "308" << int(Item::PhraseDrill) << 0 << "";
    QTest::addRow("four-character words") << "310" << int(Item::PhraseDrill) << 2 << "";
    QTest::addRow("number pad") << "402" << int(Item::Keyboard) << 2 << "";
    QTest::addRow("keyboard 3") << "403" << int(Item::Keyboard) << 0 << "400";
    QTest::addRow("unknown group") << "9xx" << int(Item::Chinese) << 0 << "";
    QTest::addRow("empty") << "" << int(Item::Chinese) << 0 << "000";
    QTest::addRow("review article") << "5错字复习_w" << int(Item::ReviewArticle) << 0 << "";
    // A name that only looks like a stored one is not found: the first essay.
    QTest::addRow("look-alike article name") << "5错字%_w" << int(Item::Chinese) << 0 << "";
}

void TestTextSource::lastPracticeRestore()
{
    QFETCH(QString, value);
    QFETCH(QString, repaired);
    test::UserFolder user;
    addArticle(user.db(), QStringLiteral("错字复习_w"), QStringLiteral("错"));
    const LastPractice p = Last_Test_Restore(user.db(), value);
    QTEST(int(p.item), "item");
    QTEST(p.index, "index");
    QCOMPARE(p.repaired, repaired);
    // What was read as it stands is written back the same.
    if (repaired.isEmpty() && (p.item != LastPractice::Item::Chinese || p.index != 0)) {
        QCOMPARE(Last_Test_Value(p), value);
    }
}

QTEST_GUILESS_MAIN(TestTextSource)
#include "tst_textsource.moc"
