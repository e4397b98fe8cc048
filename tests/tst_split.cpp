#include "app/Resources.h"
#include "wubi/SplitTable.h"
#include "wubi/WubiDict.h"

#include <QtTest>

using namespace tesmara;
using namespace tesmara::wubi;

class TestSplit : public QObject {
    Q_OBJECT
private slots:
    void codingRules_data();
    void codingRules();
    void badRowsAreRefused_data();
    void badRowsAreRefused();
    void shippedTableReproducesEveryCode();
};

void TestSplit::codingRules_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("rest");
    QTest::addColumn<QString>("code");
    QTest::addRow("two roots and identification") << "qq"
                                                  << "u"
                                                  << "qqu";
    QTest::addRow("three roots and identification") << "rqy"
                                                    << "y"
                                                    << "rqyy";
    QTest::addRow("four roots") << "jvko"
                                << ""
                                << "jvko";
    QTest::addRow("five roots: first three and last") << "trnyt"
                                                      << ""
                                                      << "trnt";
    QTest::addRow("key name") << "g"
                              << "ggg"
                              << "gggg";
    QTest::addRow("root character") << "f"
                                    << "gh"
                                    << "fgh";
    QTest::addRow("single stroke") << "g"
                                   << "gll"
                                   << "ggll";
}

void TestSplit::codingRules()
{
    QFETCH(QString, keys);
    QFETCH(QString, rest);
    QFETCH(QString, code);
    Split s;
    s.keys = keys;
    s.rest = rest;
    QCOMPARE(codeOfSplit(s), code);
}

void TestSplit::badRowsAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("missing column") << "的\t白 勹 丶\trqy\trqyy\n";
    QTest::addRow("a key per root") << "的\t白 勹 丶\trq\ty\trqyy\n";
    QTest::addRow("two characters") << "的的\t白 勹 丶\trqy\ty\trqyy\n";
    QTest::addRow("capital letters") << "的\t白 勹 丶\tRQY\ty\trqyy\n";
    QTest::addRow("a character twice") << "多\t夕 夕\tqq\tu\tqqu\n多\t夕 夕\tqq\tu\tqqu\n";
}

void TestSplit::badRowsAreRefused()
{
    QFETCH(QString, text);
    SplitTable table;
    QVERIFY(table.parse("# comment\n多\t夕 夕\tqq\tu\tqqu\n"));
    QString error;
    QVERIFY(!table.parse(text, &error));
    QVERIFY(error.startsWith("line "));
    QCOMPARE(table.characters(), QString("多")); // a refused text changes nothing
}

void TestSplit::shippedTableReproducesEveryCode()
{
    const SplitTable& table = SplitTable::builtIn();
    QCOMPARE(int(table.splits().size()), 1081);
    QCOMPARE(table.characters().size(), 1081);
    const QByteArray wb86 = binaryResource(101);
    for (const Split& s : table.splits()) {
        const QString full = Wb_Code(s.character, wb86).split("\r\n").last();
        if (codeOfSplit(s) != full || s.code != full)
            QFAIL(qPrintable(s.character + ": " + codeOfSplit(s) + " / " + s.code + " / " + full));
    }
    QCOMPARE(table.indexOf(table.splits().back().character), 1080);
    QVERIFY(!table.find("A"));
}

QTEST_GUILESS_MAIN(TestSplit)
#include "tst_split.moc"
