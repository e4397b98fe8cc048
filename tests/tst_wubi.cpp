#include "app/AppState.h"
#include "app/Resources.h"
#include "store/Database.h"
#include "wubi/PhraseLookup.h"
#include "wubi/WubiDict.h"

#include "TestSupport.h"

#include <QFile>
#include <QtTest>

using namespace tesmara;

class TestWubi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void knownCodes_data();
    void knownCodes();
    void recordsFollowGbkBytesBitByBit();
    void tablesAgreeWithTheSources_data();
    void tablesAgreeWithTheSources();
    void phraseLookupTakesTheLongestPhrase();

private:
    QByteArray m_wb86;
    QByteArray m_wb98;
    QByteArray m_py;
};

void TestWubi::initTestCase()
{
    m_wb86 = binaryResource(101);
    m_wb98 = binaryResource(102);
    m_py = binaryResource(104);
}

void TestWubi::knownCodes_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<QString>("wb86");
    QTest::addColumn<QString>("wb98");
    QTest::addColumn<QString>("py");
    const auto row = [](const char* name, const char* ch, const char* wb86, const char* wb98, const char* py) {
        QTest::addRow("%s", name) << QString::fromUtf8(ch) << QString::fromUtf8(wb86) << QString::fromUtf8(wb98)
                                  << QString::fromUtf8(py);
    };
    row("中, one and two letters", "中", "k\r\nkh\r\nkhk", "k\r\nkhk", "zhong");
    row("经, all four lines", "经", "x\r\nxc\r\nxca\r\nxcag", "x\r\nxcag", "jing");
    row("我, tables differ", "我", "q\r\ntrn\r\ntrnt", "q\r\ntrny", "wo");
    row("的, several readings", "的", "r\r\nrqy\r\nrqyy", "r\r\nrqy\r\nrqyy", "de di");
    // (Every code of the tables is read back against the sources below.)
    row("only the first character counts", "照中", "jvko", "jvko", "zhao");
    // Outside the tables, and a GBK punctuation mark, whose record is empty.
    for (const char* ch : {"a", "Z", "7", " ", "", "  ", "\U0001F600", " 中", "，"}) {
        row(qPrintable(QStringLiteral("no codes for \"%1\"").arg(QString::fromUtf8(ch))), ch, "", "", "");
    }
}

void TestWubi::knownCodes()
{
    QFETCH(QString, ch);
    QTEST(Wb_Code(ch, m_wb86), "wb86");
    QTEST(Wb_Code(ch, m_wb98), "wb98");
    QTEST(Get_Py(ch, m_py), "py");
}

// A character's record is found by its GBK bytes and read bit by bit.
void TestWubi::recordsFollowGbkBytesBitByBit()
{
    QCOMPARE(Gbk_Index(QStringLiteral("啊")), (0xB0 - 129) * 254 + (0xA1 - 64));
    QCOMPARE(Gbk_Index(QStringLiteral("照")), (0xD5 - 129) * 254 + (0xD5 - 64));
    QCOMPARE(Gbk_Index(QStringLiteral("齄")), (0xF7 - 129) * 254 + (0xFE - 64));
    QCOMPARE(Gbk_Index(QStringLiteral("a")), -1);
    QCOMPARE(Gbk_Index(QStringLiteral("한")), -1); // Hangul is not in GBK
    QCOMPARE(Gbk_Index(QString()), -1);

    QByteArray table(kWubiTableSize, '\0');
    QCOMPARE(Wb_Code(QStringLiteral("丂"), table), QString());               // zero record
    QCOMPARE(Wb_Code(QStringLiteral("工"), table), QStringLiteral("a\r\n")); // only the one-letter line
    // Record 0: letters z(26) a(1) y(25) b(2), both flags: 11010 00001 11001 00010 1 1 00
    table[0] = char(0b11010000);
    table[1] = char(0b01110010);
    table[2] = char(0b00101100);
    QCOMPARE(Wb_Code(QStringLiteral("丂"), table), QStringLiteral("za\r\nzay\r\nzayb"));
    // Only letters 2 and 4: zero letters are skipped.
    table[0] = char(0b00000000);
    table[1] = char(0b01000000);
    table[2] = char(0b00010000);
    QCOMPARE(Wb_Code(QStringLiteral("丂"), table), QStringLiteral("aa"));
    // A table cut short (a damaged resource) answers nothing past its end.
    QCOMPARE(Wb_Code(QStringLiteral("照"), m_wb86.left(100)), QString());
    QCOMPARE(Get_Py(QStringLiteral("照"), QByteArray()), QString());

    // Pinyin records: a first value 0 ends the text even when later values are set.
    QByteArray py(kPinyinTableSize, '\0');
    py[1] = char(0xFF);
    QCOMPARE(Get_Py(QStringLiteral("丂"), py), QString());
    // "a", blank, "z": 00001 11011 11010
    py[0] = char(0b00001110);
    py[1] = char(0b11110100);
    QCOMPARE(Get_Py(QStringLiteral("丂"), py), QStringLiteral("a z"));
    // All 22 values used: no end marker needed.
    QByteArray full(kPinyinTableSize, '\0');
    for (int bit = 0; bit < 110; ++bit) {
        if (bit % 5 == 4) { // value 1 in every slot
            full[bit / 8] = char(full[bit / 8] | (0x80 >> (bit % 8)));
        }
    }
    QCOMPARE(Get_Py(QStringLiteral("丂"), full), QString(22, QLatin1Char('a')));
}

void TestWubi::tablesAgreeWithTheSources_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("resource");
    QTest::addRow("86") << "wubi86.txt" << 101;
    QTest::addRow("98") << "wubi98.txt" << 102;
}

// Every character of the source table reads back with its full code last
// and its short codes before it.
void TestWubi::tablesAgreeWithTheSources()
{
    QFETCH(QString, file);
    QFETCH(int, resource);
    const QString path = QFINDTESTDATA(QStringLiteral("../src/resources/data/") + file);
    QFile source(path);
    QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray table = binaryResource(resource);
    const QStringList lines = QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'));
    int checked = 0;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList f = line.split(QLatin1Char('\t'));
        QCOMPARE(f.size(), 5);
        const QStringList codes = Wb_Code(f[0], table).split(QStringLiteral("\r\n"));
        QCOMPARE(codes.last(), f[1]);
        const bool two = f[3].split(QLatin1Char(',')).contains(f[1].left(2)) && f[1].size() > 2;
        const bool three = f[4].split(QLatin1Char(',')).contains(f[1].left(3)) && f[1].size() > 3;
        QCOMPARE(codes.contains(f[1].left(2)) && f[1].size() > 2, two);
        QCOMPARE(codes.contains(f[1].left(3)) && f[1].size() > 3, three);
        QCOMPARE(codes.size(), 1 + int(!f[2].isEmpty()) + int(two) + int(three));
        ++checked;
    }
    QCOMPARE(checked, 20923);
}

void TestWubi::phraseLookupTakesTheLongestPhrase()
{
    test::ProgramFolder folder;
    QCOMPARE(Find_Phrase(QStringLiteral("中国")).phrase, QString()); // not open: nothing
    Database& db = App().Conn_Phrase;
    QVERIFY(db.open(test::stageDir() + QStringLiteral("p.dat"), Database::Mode::ReadOnly));
    const PhraseMatch five = Find_Phrase(QStringLiteral("中国共产党员"));
    QCOMPARE(five.phrase, QStringLiteral("中国共产党"));
    QCOMPARE(five.py, QStringLiteral("zhong guo gong chan dang"));
    QCOMPARE(Find_Phrase(QStringLiteral("我们的")).phrase, QStringLiteral("我们"));
    QCOMPARE(Find_Phrase(QStringLiteral("我们")).py, QStringLiteral("wo men"));
    QCOMPARE(Find_Phrase(QStringLiteral("为什么呢")).phrase, QStringLiteral("为什么"));
    QCOMPARE(Find_Phrase(QStringLiteral("我")).phrase, QString());
    QCOMPARE(Find_Phrase(QStringLiteral("的的的的的")).phrase, QString());
    QCOMPARE(Find_Phrase(QStringLiteral("'; drop table v2; --")).phrase, QString());
    QVERIFY(db.hasTable(QStringLiteral("v2")));
    // A reopened database is looked up afresh, a closed one not at all.
    db.close();
    QCOMPARE(Find_Phrase(QStringLiteral("我们")).phrase, QString());
    QVERIFY(db.open(test::stageDir() + QStringLiteral("p.dat"), Database::Mode::ReadOnly));
    QCOMPARE(Find_Phrase(QStringLiteral("中国人")).phrase, QStringLiteral("中国人"));
}

QTEST_MAIN(TestWubi)
#include "tst_wubi.moc"
