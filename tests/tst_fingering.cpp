// The fingering practice without a window: key sets, judging keys, the next
// target, the fingers of each key, the texts, and the key table against the
// finger groups and the pictures the build drew from it.
#include "ScriptedRandom.h"
#include "TestSupport.h"
#include "practice/DrillTime.h"
#include "practice/Fingering.h"
#include "practice/KeyboardGeometry.h"

#include <QImage>
#include <QtTest>

using namespace tesmara;
using keyboard::Board;

class TestFingering : public QObject {
    Q_OBJECT
private slots:
    void keySets_data();
    void keySets();
    void judging_data();
    void judging();
    void nextTarget();
    void fingers_data();
    void fingers();
    void texts_data();
    void texts();
    void keyTableAgreesWithFingersAndPictures();
};

void TestFingering::keySets_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("withoutDigits");
    QTest::addColumn<QString>("keys");
    QTest::newRow("all keys") << 0 << true << "ABCDEFGHIJKLMNOPQRSTUVWXYZ 1234567890";
    QTest::newRow("letters and space") << 1 << false << "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
    QTest::newRow("digits stay") << 2 << true << "1234567890";
    QTest::newRow("left little") << 3 << false << "QAZ1";
    QTest::newRow("left index, no digits") << 6 << true << "RFVTGB";
    QTest::newRow("no entry") << -1 << false << "";
    QTest::newRow("past the list") << 11 << false << "";
}

void TestFingering::keySets()
{
    QFETCH(int, entry);
    QFETCH(bool, withoutDigits);
    QTEST(Fingering::keySetFor(entry, withoutDigits), "keys");
    // The pad set: each digit four times, each other key once.
    const QString pad = Fingering::numberPadSet();
    QCOMPARE(pad.count(QLatin1Char('7')), 4);
    QCOMPARE(pad.count(QLatin1Char('e')), 1);
    QCOMPARE(pad.size(), 46);
}

void TestFingering::judging_data()
{
    QTest::addColumn<bool>("numberPad");
    QTest::addColumn<QChar>("target");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("caption");
    // (Lower case and other letters are typed in tst_mistakes' key tally.)
    QTest::newRow("letter") << false << QChar('A') << int('A') << true << "A";
    QTest::newRow("space bar") << false << QChar(' ') << 32 << true << "空格";
    QTest::newRow("shifted digit") << false << QChar('1') << int('!') << false << "1";
    QTest::newRow("sign only on the pad") << false << QChar('P') << int('.') << false << "P";
    QTest::newRow("pad E typed") << true << QChar('e') << int('E') << false << "回车";
    QTest::newRow("pad slash") << true << QChar('c') << int('/') << true << "/";
    QTest::newRow("pad star") << true << QChar('x') << int('*') << true << "*";
    QTest::newRow("pad point") << true << QChar('p') << int('.') << true << ".";
    QTest::newRow("pad minus") << true << QChar('-') << int('-') << true << "-";
    QTest::newRow("pad digit") << true << QChar('7') << int('7') << true << "7";
    QTest::newRow("Enter off the pad") << false << QChar('E') << 13 << false << "E";
}

void TestFingering::judging()
{
    QFETCH(bool, numberPad);
    QFETCH(QChar, target);
    QFETCH(int, code);
    QFETCH(bool, right);
    test::ScriptedRandom random({0.5});
    Fingering f(&random);
    f.setNumberPad(numberPad);
    f.setKeySet(QString(target));
    f.press(Fingering::kRestartCode);
    f.setKeySet(numberPad ? Fingering::numberPadSet() : Fingering::keySetFor(0, false));
    QCOMPARE(f.target(), target);
    QTEST(f.targetCaption(), "caption");
    QCOMPARE(f.right(), 0); // the restart code never counts

    QCOMPARE(f.press(code), right);
    QCOMPARE(f.right(), right ? 1 : 0);
    QCOMPARE(f.wrong(), right ? 0 : 1);
    QCOMPARE(f.target() != target, right);
}

void TestFingering::nextTarget()
{
    // Draws that would repeat the target are drawn again.
    test::ScriptedRandom random({0.0, 0.0, 0.0, 0.99});
    Fingering f(&random);
    f.setKeySet(QStringLiteral("QAZ1"));
    QVERIFY(f.target().isNull());
    f.press(Fingering::kRestartCode);
    QCOMPARE(f.target(), QChar('Q'));
    QVERIFY(f.press('q'));
    QCOMPARE(f.target(), QChar('1'));
    QCOMPARE(f.right(), 1);
    // A wrong key keeps the target.
    QVERIFY(!f.press('z'));
    QCOMPARE(f.target(), QChar('1'));

    // No key set (no entry chosen): the target stays.
    f.setKeySet(QString());
    QVERIFY(f.press(Fingering::kRestartCode));
    QCOMPARE(f.target(), QChar('1'));
    f.resetCounts();
    QCOMPARE(f.right() + f.wrong() + f.elapsed(), 0);
}

void TestFingering::fingers_data()
{
    QTest::addColumn<bool>("numberPad");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QList<int>>("fingers");
    using namespace keyboard;
    QTest::newRow("Q") << false << QChar('Q') << QList<int>{LeftLittle};
    QTest::newRow("2") << false << QChar('2') << QList<int>{LeftRing};
    QTest::newRow("C") << false << QChar('C') << QList<int>{LeftMiddle};
    QTest::newRow("5") << false << QChar('5') << QList<int>{LeftIndex};
    QTest::newRow("6") << false << QChar('6') << QList<int>{RightIndex};
    QTest::newRow("8") << false << QChar('8') << QList<int>{RightMiddle};
    QTest::newRow("L") << false << QChar('L') << QList<int>{RightRing};
    QTest::newRow("0") << false << QChar('0') << QList<int>{RightLittle};
    QTest::newRow("space") << false << QChar(' ') << QList<int>{LeftThumb, RightThumb};
    QTest::newRow("pad 1") << true << QChar('1') << QList<int>{RightIndex};
    QTest::newRow("pad /") << true << QChar('c') << QList<int>{RightMiddle};
    QTest::newRow("pad .") << true << QChar('p') << QList<int>{RightRing};
    QTest::newRow("pad Enter") << true << QChar('e') << QList<int>{RightLittle};
    QTest::newRow("pad 0") << true << QChar('0') << QList<int>{RightThumb};
    QTest::newRow("letter on the pad") << true << QChar('A') << QList<int>{};
}

void TestFingering::fingers()
{
    QFETCH(bool, numberPad);
    QFETCH(QChar, key);
    QTEST(Fingering::fingersFor(key, numberPad), "fingers");
}

void TestFingering::texts_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("speed");
    const auto row = [](const char* name, int right, int wrong, int seconds, const char* time, const char* speed) {
        QTest::newRow(name) << right << wrong << seconds << QString::fromUtf8(time) << QString::fromUtf8(speed);
    };
    row("nothing typed", 0, 0, 5, "练习时间：5 秒", "");
    row("half a minute", 10, 0, 30, "练习时间：30 秒", "速度：20 字/分钟 正确率：100%");
    row("one wrong in ten", 9, 1, 60, "练习时间：1 分 0 秒", "速度：8.1 字/分钟 正确率：90%");
    row("accuracy cut", 2, 1, 75, "练习时间：1 分 15 秒", "速度：1.06 字/分钟 正确率：66%");
    row("below one a minute", 1, 3, 3599, "练习时间：59 分 59 秒", "速度：0 字/分钟 正确率：25%");
    row("all wrong", 0, 4, 3725, "练习时间：1 小时 2 分 5 秒", "速度：0 字/分钟 正确率：0%");
    row("an hour, nothing typed", 0, 0, 3600, "练习时间：1 小时 0 分 0 秒", "");
    // 45 in exact figures; the speed is cut after two decimals, not rounded.
    row("slow", 3, 0, 400, "练习时间：6 分 40 秒", "速度：0.44 字/分钟 正确率：100%");
}

void TestFingering::texts()
{
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(int, seconds);
    test::ScriptedRandom random({0.1, 0.7});
    Fingering f(&random);
    f.setKeySet(QStringLiteral("AB"));
    f.press(Fingering::kRestartCode);
    for (int i = 0; i < right; ++i) {
        QVERIFY(f.press(f.target().unicode()));
    }
    for (int i = 0; i < wrong; ++i) {
        QVERIFY(!f.press('#'));
    }
    for (int i = 0; i < seconds; ++i) {
        f.addSecond();
    }
    QTEST(Drill_Time_Text(f.elapsed()), "time");
    QTEST(f.speedText().value_or(QString()), "speed");
}

// The key table against the finger groups, and the pictures the build drew
// from it: caps inside the board, never overlapping, each lit cap the size
// of its highlight and opaque over its middle; the hands and each finger.
void TestFingering::keyTableAgreesWithFingersAndPictures()
{
    const QString share = test::stageDir();
    for (Board board : {Board::Main, Board::NumberPad}) {
        const bool pad = board == Board::NumberPad;
        const QString practised = pad ? Fingering::numberPadSet() : Fingering::keySetFor(0, false);
        for (QChar key : practised) {
            const keyboard::Key* k = keyboard::findKey(board, key);
            QVERIFY2(k, qPrintable(QStringLiteral("no key for '%1'").arg(key)));
            QVERIFY2(Fingering::fingersFor(key, pad).contains(k->finger),
                     qPrintable(QStringLiteral("'%1' is coloured for another finger").arg(key)));
            QVERIFY(!keyboard::highlightRect(board, key).isEmpty());
        }
        const QList<keyboard::Key>& keys = keyboard::keys(board);
        const QRect inside(QPoint(0, 0), keyboard::boardSize(board));
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QVERIFY(inside.contains(keys[i].rect));
            if (!keys[i].label.isNull()) {
                const QRect lit = keyboard::highlightRect(board, keys[i].label);
                QVERIFY(inside.contains(lit));
                const QImage picture(share + keyboard::highlightFile(board, keys[i].label));
                QCOMPARE(picture.size(), lit.size());
                QCOMPARE(qAlpha(picture.pixel(picture.rect().center())), 255);
            }
            for (qsizetype j = i + 1; j < keys.size(); ++j) {
                QVERIFY2(!keys[i].rect.intersects(keys[j].rect),
                         qPrintable(keys[i].caption + QStringLiteral(" / ") + keys[j].caption));
            }
        }
    }
    QVERIFY(keyboard::findKey(Board::Main, QLatin1Char('F'))->bump);
    QVERIFY(keyboard::findKey(Board::Main, QLatin1Char('J'))->bump);
    QVERIFY(!keyboard::findKey(Board::Main, QLatin1Char('e')));
    QCOMPARE(QImage(share + keyboard::handsFile()).size(), keyboard::handsSize());
    for (int f = 0; f < keyboard::kFingers; ++f) {
        QCOMPARE(QImage(share + keyboard::fingerFile(f)).size(), keyboard::handsSize());
    }
}

QTEST_MAIN(TestFingering)
#include "tst_fingering.moc"
