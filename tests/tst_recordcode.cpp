#include "store/RecordCode.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

using namespace tesmara;

class TestRecordCode : public QObject {
    Q_OBJECT
private slots:
    void md5OfAsciiIsRfc1321_data();
    void md5OfAsciiIsRfc1321();
    void knownCodesAndAnsiValues();
    void fileDigest();
};

void TestRecordCode::md5OfAsciiIsRfc1321_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("empty") << QString();
    QTest::addRow("a") << QStringLiteral("a");
    QTest::addRow("abc") << QStringLiteral("abc");
    QTest::addRow("55 chars, one block edge") << QString(55, QLatin1Char('x'));
    QTest::addRow("56 chars, needs a second block") << QString(56, QLatin1Char('y'));
    QTest::addRow("64 chars") << QString(64, QLatin1Char('z'));
    QTest::addRow("alphabet") << QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ!~");
}

void TestRecordCode::md5OfAsciiIsRfc1321()
{
    QFETCH(QString, text);
    const QString expected =
        QString::fromLatin1(QCryptographicHash::hash(text.toLatin1(), QCryptographicHash::Md5).toHex());
    QCOMPARE(Md5_Hex(text, 32), expected);
    // Any width other than 32 is the short form, the middle bytes.
    QCOMPARE(Md5_Hex(text, 16), expected.mid(8, 16));
    QCOMPARE(Md5_Hex(text, 8), expected.mid(8, 16));
}

void TestRecordCode::knownCodesAndAnsiValues()
{
    QCOMPARE(Ansi_Value(u'A'), qint16(65));
    QCOMPARE(Ansi_Value(u'啊'), qint16(0xB0A1 - 65536));
    QCOMPARE(Ansi_Value(u'丂'), qint16(0x8140 - 65536)); // first GBK code, 0x81 0x40
    QCOMPARE(Ansi_Value(u'\u0E01'), qint16(63));         // Thai: no GBK form
    QCOMPARE(Ansi_Value(char16_t(0xD800)), qint16(63));  // lone surrogate
    // An unencodable character leaves no trace on characters first seen after it.
    QCOMPARE(Ansi_Value(u'\u00A9'), qint16(63));
    QCOMPARE(Ansi_Value(u'吧'), qint16(0xB0C9 - 65536));
    QCOMPARE(Ansi_Value(u'é'), qint16(0xA8A6 - 65536));

    // "中" is D6 D0 in GBK; its sign-extended value fills the whole first
    // word, so the result is not the plain MD5 of the GBK bytes. Expected
    // values come from an independent implementation of the word-array
    // message.
    QCOMPARE(Ansi_Value(u'中'), qint16(0xD6D0 - 65536));
    QCOMPARE(Md5_Hex(QStringLiteral("中"), 32), QStringLiteral("6cba308f8d5f2b49971dbb43879a078c"));
    QCOMPARE(Code_Of(QStringLiteral("abc")), QStringLiteral("b5908b812bf4c1e6bcd42f4f7711ddcb"));
    // Short digests whose letters 1-4 ("5568") or 9-12 ("2830") are all digits.
    QCOMPARE(Code_Of(QStringLiteral("18")), QStringLiteral("182a6d06032582aa03ca0a18e4b76607"));
    QCOMPARE(Code_Of(QStringLiteral("3")), QStringLiteral("2c9b6e8df7b077754ac434a38c67cd69"));
    QCOMPARE(Code_Of(QStringLiteral("中")), QStringLiteral("b3d965050acf3676875ee1970d1d2f9e"));
    QCOMPARE(Code_Of(QStringLiteral("张三abc")), QStringLiteral("205087c8692d6fd4ec342ae49a6f7cae"));
    QCOMPARE(Code_Of(QStringLiteral("用户甲密码123")), QStringLiteral("72ff9128ad3d56749efb7395c9c0a074"));
    QCOMPARE(Code_Of(QStringLiteral("打字练习，天天向上。")), QStringLiteral("68cca0f9d026204a5858e3ada6bb5d2b"));
}

void TestRecordCode::fileDigest()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.bin");
    QCOMPARE(File_Digest(missing), QString());

    const QString empty = dir.filePath("empty.bin");
    QVERIFY(test::writeFile(empty, QByteArray()));
    QCOMPARE(File_Digest(empty), QStringLiteral("D41D8CD98F00B204E9800998ECF8427E"));

    for (int size : {32767, 32768, 32769, 3 * 32768 + 5}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i) {
            bytes[i] = char((i * 7 + size) & 0xff);
        }
        const QString path = dir.filePath(QStringLiteral("f%1.bin").arg(size));
        QVERIFY(test::writeFile(path, bytes));
        QCOMPARE(File_Digest(path),
                 QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper()));
    }
    QCOMPARE(File_Digest(empty, 32772), QString()); // only MD5 is offered
}

QTEST_GUILESS_MAIN(TestRecordCode)
#include "tst_recordcode.moc"
