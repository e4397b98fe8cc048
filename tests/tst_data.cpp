#include "ChartStyle.h"
#include "app/Resources.h"
#include "store/Database.h"
#include "wubi/WubiDict.h"
#include "wubi/WubiKeys.h"

#include "TestSupport.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace tesmara;

// Checks every built-in resource the way a schema check would: sizes,
// lengths, distinct items, and that each drill item can really be typed.
class TestData : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void codeTableSizes();
    void characterLists_data();
    void characterLists();
    void chartRootsStandAlike();
    void phraseDatabase();
    void builtInTexts();

private:
    QStringList codes86(QChar c) const { return Wb_Code(QString(c), m_wb86).split(QStringLiteral("\r\n")); }
    QByteArray m_wb86;
    QByteArray m_wb98;
    QByteArray m_py;
};

namespace {

bool distinct(const QString& text, int itemLength)
{
    QSet<QString> seen;
    for (qsizetype i = 0; i < text.size(); i += itemLength) {
        if (seen.contains(text.mid(i, itemLength))) {
            return false;
        }
        seen.insert(text.mid(i, itemLength));
    }
    return true;
}

} // namespace

void TestData::initTestCase()
{
    m_wb86 = binaryResource(101);
    m_wb98 = binaryResource(102);
    m_py = binaryResource(104);
}

void TestData::codeTableSizes()
{
    QCOMPARE(m_wb86.size(), 95544);
    QCOMPARE(m_wb98.size(), 95544);
    QCOMPARE(m_py.size(), 31848 * 14);
    // The unused record bits stay clear, and no letter value exceeds "z".
    for (const QByteArray* t : {&m_wb86, &m_wb98}) {
        int filled = 0;
        for (int i = 0; i < 31848; ++i) {
            const auto* r = reinterpret_cast<const uchar*>(t->constData()) + i * 3;
            QCOMPARE(r[2] & 3, 0);
            QVERIFY((r[0] >> 3) <= 26);
            filled += r[0] != 0;
        }
        QCOMPARE(filled, 20923); // every GBK hanzi has a code
    }
    // Every pinyin text is letters and single blanks between readings.
    const QRegularExpression reading(QStringLiteral("^[a-z]+( [a-z]+)*$"));
    int withReading = 0;
    for (int u = 0x4E00; u <= 0x9FA5; ++u) {
        const QString py = Get_Py(QString(QChar(u)), m_py);
        if (!py.isEmpty()) {
            QVERIFY2(reading.match(py).hasMatch(), qPrintable(py));
            ++withReading;
        }
    }
    QVERIFY(withReading > 20800);
}

void TestData::characterLists_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("itemLength");
    QTest::addColumn<int>("count");
    // 2, 3: that short code; 6: identification letter; 7: full code only; 0: no more
    QTest::addColumn<int>("kind");
    QTest::addRow("301 two-letter short codes") << 301 << 1 << 588 << 2;
    QTest::addRow("302 three-letter short codes") << 302 << 1 << 2472 << 3;
    QTest::addRow("304 root characters") << 304 << 1 << 54 << 0;
    QTest::addRow("306 identification letter") << 306 << 1 << 420 << 6;
    QTest::addRow("307 full four-letter code") << 307 << 1 << 661 << 7;
    QTest::addRow("308 two-character words") << 308 << 2 << 1668 << 0;
    QTest::addRow("309 three-character words") << 309 << 3 << 348 << 0;
    QTest::addRow("310 four-character words") << 310 << 4 << 1223 << 0;
    QTest::addRow("1010 game characters") << 1010 << 1 << 2500 << 0;
}

// Each drill or game list has its items once, and every character both codes and the
// codes its list drills.
void TestData::characterLists()
{
    QFETCH(int, id);
    QFETCH(int, itemLength);
    QFETCH(int, count);
    QFETCH(int, kind);
    const QString list = stringResource(id);
    QCOMPARE(list.size(), itemLength * count);
    QVERIFY(distinct(list, itemLength));
    const QString roots = stringResource(304) + stringResource(305) + stringResource(303);
    for (QChar c : list) {
        const QStringList codes = codes86(c);
        const QString full = codes.last();
        QVERIFY2(!full.isEmpty() && !Wb_Code(QString(c), m_wb98).isEmpty(), qPrintable(QString(c)));
        switch (kind) {
        case 2:
        case 3:
            QVERIFY2(codes.size() >= 2 && codes.contains(full.left(kind)) && full.size() > kind,
                     qPrintable(QString(c)));
            break;
        case 6:
            QVERIFY2(codes.size() == 1 && full.size() == 3 && !roots.contains(c), qPrintable(QString(c)));
            break;
        case 7:
            QVERIFY2(codes.size() == 1 && full.size() == 4 && !roots.contains(c), qPrintable(QString(c)));
        }
    }
}

void TestData::chartRootsStandAlike()
{
    // Every root as the charts draw it: centred in its box, about as large
    // as a full character, none a speck.
    QImage image(40, 40, QImage::Format_ARGB32);
    for (const wubi::KeyRoots& row : wubi::kKeyTable) {
        const QString roots = QString::fromUtf16(row.further) + QChar(wubi::namedRoot(row));
        for (const QChar root : roots) {
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.setFont(charts::chartFont(20));
            p.setPen(Qt::black);
            charts::drawRoot(p, QRectF(0, 0, 40, 40), QString(root));
            p.end();
            int left = 40, right = -1, top = 40, bottom = -1;
            for (int y = 0; y < 40; ++y) {
                for (int x = 0; x < 40; ++x) {
                    if (qAlpha(image.pixel(x, y)) > 64) {
                        left = qMin(left, x);
                        right = qMax(right, x);
                        top = qMin(top, y);
                        bottom = qMax(bottom, y);
                    }
                }
            }
            const QString what =
                QStringLiteral("%1 at %2..%3, %4..%5").arg(root).arg(left).arg(right).arg(top).arg(bottom);
            QVERIFY2(qAbs((left + right + 1) / 2.0 - 20) <= 1.5, qPrintable(what));
            QVERIFY2(qAbs((top + bottom + 1) / 2.0 - 20) <= 1.5, qPrintable(what));
            const int longer = qMax(right - left, bottom - top) + 1;
            QVERIFY2(longer >= 12 && longer <= 19, qPrintable(what));
        }
    }
}

void TestData::phraseDatabase()
{
    test::ProgramFolder folder;
    Database db;
    QVERIFY(db.open(test::stageDir() + QStringLiteral("p.dat"), Database::Mode::ReadOnly));
    for (int n = 2; n <= 5; ++n) {
        const QString table = QStringLiteral("v%1").arg(n);
        QVERIFY(db.hasTable(table));
        const int rows = db.scalar(QStringLiteral("select count(*) from %1").arg(table))->toInt();
        QVERIFY2(rows >= (n == 5 ? 100 : 5000), qPrintable(table));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from (select Phrase from %1 group by Phrase "
                                          "having count(*) > 1)")
                               .arg(table))
                     ->toInt(),
                 0);
        QCOMPARE(
            db.scalar(QStringLiteral("select count(*) from %1 where length(Phrase) <> ?").arg(table), {n})->toInt(), 0);
        // One toneless syllable per character.
        QSqlQuery q = db.exec(QStringLiteral("select Phrase, py from %1").arg(table));
        const QRegularExpression syllables(QStringLiteral("^[a-z]+( [a-z]+){%1}$").arg(n - 1));
        while (q.next()) {
            QVERIFY2(syllables.match(q.value(1).toString()).hasMatch(), qPrintable(q.value(0).toString()));
        }
        // The lookup is served by an index.
        QVERIFY(db.hasRow(QStringLiteral("select 1 from sqlite_master where type = 'index' and tbl_name = ? "
                                         "and sql like '%Phrase%'"),
                          {table}));
    }
}

// Every essay is there and whole, every English text starts with its title,
// and the game's words are lower-case words, each once.
void TestData::builtInTexts()
{
    const QRegularExpression title(QStringLiteral("^[A-Z][^:\\r\\n]{0,80}: \\S"));
    for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109}) {
        const QString text = stringResource(id);
        const QString what = QString::number(id) + QStringLiteral(": ") + text.left(60);
        QVERIFY2(!text.isEmpty() && !text.contains(QChar::ReplacementCharacter), qPrintable(what));
        QVERIFY2(id < 100 || title.match(text).hasMatch(), qPrintable(what));
    }
    const QString words = stringResource(1011);
    QVERIFY(QRegularExpression(QStringLiteral("^( [a-z]+)+$")).match(words).hasMatch());
    const QStringList list = words.mid(1).split(QLatin1Char(' '));
    QCOMPARE(list.size(), 680);
    QCOMPARE(QSet<QString>(list.begin(), list.end()).size(), 680);
}

QTEST_MAIN(TestData)
#include "tst_data.moc"
