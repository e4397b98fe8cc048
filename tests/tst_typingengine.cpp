#include "practice/TypingEngine.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tesmara;

namespace {

// An engine whose rows are fed from a list of lines, the way the practice
// text source answers a fill request; it remembers which rows were filled.
struct Run : TypingEngine {
    explicit Run(QStringList lines, PracticeKind kind = PracticeKind::Chinese, int itemLength = 1)
        : lines(std::move(lines))
    {
        QObject::connect(this, &TypingEngine::fillRequested, this, [this](int row) {
            filled << row;
            putLine(row, next < this->lines.size() ? this->lines.at(next++) : QString());
        });
        setKind(kind);
        setItemLength(itemLength);
        resetRows(kind == PracticeKind::English || kind == PracticeKind::Numbers ? 1 : 0);
    }
    QStringList lines;
    int next = 0;
    QList<int> filled;
};

void press(TypingEngine& e, int row, int c)
{
    e.keyPress(row, c);
    QCOMPARE(c, 0); // the line itself never adds anything
}

void typeAt(TypingEngine& e, int row, const QString& text)
{
    for (QChar ch : text) {
        press(e, row, ch.unicode());
    }
}

const int kBackspace = 8;

} // namespace

class TestTypingEngine : public QObject {
    Q_OBJECT
private slots:
    void matchingIsExactAndCounts_data();
    void matchingIsExactAndCounts();
    void wrongMarksSoundAndColour();
    void rowsFillThreeAheadAndActivate();
    void backspaceStepsBackAtMostThreeRows();
    void wordDrillSeparatorsAndBackspace();
    void ringWithoutTextDropsKey();
    void englishWordCount();
    void f1HintOnlyForTextPractice();
    void pauseAndResume();
};

void TestTypingEngine::matchingIsExactAndCounts_data()
{
    QTest::addColumn<PracticeKind>("kind");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<QString>("wrongText");
    QTest::addRow("case matters") << PracticeKind::Article << QStringLiteral("Ab") << QStringLiteral("ab") << 1 << 1
                                  << QStringLiteral("A");
    QTest::addRow("English keeps no wrong text")
        << PracticeKind::English << QStringLiteral("cat") << QStringLiteral("cut") << 2 << 1 << QString();
    QTest::addRow("numbers keep no wrong text")
        << PracticeKind::Numbers << QStringLiteral("123") << QStringLiteral("133") << 2 << 1 << QString();
    QTest::addRow("wrong text in typing order") << PracticeKind::Chinese << QStringLiteral("天地玄黄")
                                                << QStringLiteral("夫地玄冥") << 2 << 2 << QStringLiteral("天黄");
    // Two characters outside the Basic Multilingual Plane sharing their
    // first half: the wrong one is kept whole.
    QTest::addRow("wrong text by whole characters")
        << PracticeKind::Chinese << QStringLiteral("𠀀字") << QStringLiteral("𠀁字") << 2 << 1 << QStringLiteral("𠀀");
}

void TestTypingEngine::matchingIsExactAndCounts()
{
    QFETCH(PracticeKind, kind);
    QFETCH(QString, reference);
    QFETCH(QString, typed);
    Run e({reference}, kind);
    e.beginRun();
    typeAt(e, 0, typed);
    QTEST(int(e.Right_Count), "right");
    QTEST(int(e.Wrong_Count), "wrong");
    QTEST(e.Wrong_Text, "wrongText");
    QCOMPARE(e.input(0).Text(), typed);
}

void TestTypingEngine::wrongMarksSoundAndColour()
{
    Run e({QStringLiteral("春眠不觉晓")});
    QSignalSpy sound(&e, &TypingEngine::wrongSoundRequested);
    e.beginRun();
    typeAt(e, 0, QStringLiteral("春民"));
    QCOMPARE(sound.count(), 1);
    QCOMPARE(e.input(0).colour(1), TypingEngine::kWrongColour);
    QCOMPARE(e.top(0).colour(1), TypingEngine::kWrongColour);
    QCOMPARE(e.top(0).colour(0), 0u);

    // Options off: counted, but neither sounded nor marked.
    e.setWrongSound(false);
    e.setWrongColour(false);
    typeAt(e, 0, QStringLiteral("x"));
    QCOMPARE(sound.count(), 1);
    QCOMPARE(e.Wrong_Count, 2);
    QCOMPARE(e.top(0).colour(2), 0u);
    QCOMPARE(e.input(0).colour(2), 0u);
}

void TestTypingEngine::rowsFillThreeAheadAndActivate()
{
    Run e(
        {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("ef"), QStringLiteral("gh"), QStringLiteral("ij")});
    QCOMPARE(e.filled, (QList<int>{0, 1, 2}));
    for (int r = 0; r < TypingEngine::kRows; ++r) {
        QVERIFY2(!e.input(r).Enabled(), "before a run every input line is disabled");
        QCOMPARE(e.top(r).BackColor(), TypingEngine::kInactiveBack);
    }
    e.beginRun();
    QCOMPARE(e.activeRow(), 0);
    QCOMPARE(e.top(0).BackColor(), TypingEngine::kActiveBack);
    QVERIFY(e.top(0).NowColor() && e.input(0).NowColor() && e.input(0).Enabled());

    typeAt(e, 0, QStringLiteral("ab"));
    QCOMPARE(e.activeRow(), 1);
    QCOMPARE(e.filled.last(), 3);
    QCOMPARE(e.top(3).Text(), QStringLiteral("gh"));
    QVERIFY(!e.input(0).Enabled());
    QVERIFY(!e.top(0).NowColor() && !e.input(0).NowColor());
    QCOMPARE(e.top(0).BackColor(), TypingEngine::kInactiveBack);
    // (The next row's colour and focus are checked on the typing board.)

    // A row stepped back into and typed again fills nothing new.
    press(e, 1, kBackspace);
    QCOMPARE(e.Back_Rows, qint16(1));
    typeAt(e, 0, QStringLiteral("b"));
    QCOMPARE(e.activeRow(), 1);
    QCOMPARE(e.filled.size(), 4);
    QCOMPARE(e.Back_Rows, qint16(0));
    typeAt(e, 1, QStringLiteral("cd"));
    QCOMPARE(e.filled.last(), 4);
    QCOMPARE(e.top(4).Text(), QStringLiteral("ij"));
    // A key for a full row (its line left enabled, as if the widget still
    // had a key queued) lands in the next row.
    e.input(1).setEnabled(true);
    press(e, 1, 'e');
    QCOMPARE(e.input(1).Text(), QStringLiteral("cd"));
    QCOMPARE(e.input(2).Text(), QStringLiteral("e"));
    QCOMPARE(e.Right_Count, 5);
}

void TestTypingEngine::backspaceStepsBackAtMostThreeRows()
{
    Run e(QList<QString>(10, QStringLiteral("ab")));
    e.beginRun();
    press(e, 0, kBackspace); // nothing before the run's first character
    QCOMPARE(e.activeRow(), 0);
    QCOMPARE(e.top(6).BackColor(), TypingEngine::kInactiveBack);
    // Rows 0 to 3 typed, the last character of row 1 wrong.
    typeAt(e, 0, QStringLiteral("ab"));
    typeAt(e, 1, QStringLiteral("ax"));
    typeAt(e, 2, QStringLiteral("ab"));
    typeAt(e, 3, QStringLiteral("ab"));
    QCOMPARE(e.activeRow(), 4);
    QCOMPARE(e.Right_Count, 7);
    QCOMPARE(e.Wrong_Count, 1);

    press(e, 4, kBackspace); // into row 3
    QCOMPARE(e.activeRow(), 3);
    QCOMPARE(e.input(3).Text(), QStringLiteral("a"));
    QCOMPARE(e.Right_Count, 6);
    press(e, 3, kBackspace); // within row 3
    press(e, 3, kBackspace); // into row 2
    press(e, 2, kBackspace);
    press(e, 2, kBackspace); // into row 1, taking the wrong "x"
    QCOMPARE(e.activeRow(), 1);
    QCOMPARE(e.input(1).Text(), QStringLiteral("a"));
    QCOMPARE(e.Wrong_Count, 0);
    QCOMPARE(e.Back_Rows, qint16(3));
    press(e, 1, kBackspace);
    QCOMPARE(e.input(1).Text(), QString());
    press(e, 1, kBackspace); // a fourth step back is refused
    QCOMPARE(e.activeRow(), 1);
    QCOMPARE(e.input(0).Text(), QStringLiteral("ab"));
    QCOMPARE(e.Right_Count, 2);
    QVERIFY(e.input(1).Enabled());
    QVERIFY(!e.input(4).Enabled());
}

void TestTypingEngine::wordDrillSeparatorsAndBackspace()
{
    const QChar sep(0x3000);
    const QString line = QStringLiteral("工人") + sep + QStringLiteral("中国") + sep + QStringLiteral("人民");
    Run e({line, line}, PracticeKind::Wubi, 2);
    e.beginRun();
    typeAt(e, 0, QStringLiteral("工人"));
    QCOMPARE(e.input(0).Text(), QStringLiteral("工人") + sep); // separator added, not counted
    QCOMPARE(e.Right_Count, 2);
    typeAt(e, 0, QStringLiteral("中图"));
    QCOMPARE(e.Wrong_Count, 1);
    QCOMPARE(e.Wrong_Text, QString()); // not a text practice
    press(e, 0, kBackspace);
    QCOMPARE(e.input(0).Text(), QStringLiteral("工人") + sep);
    QCOMPARE(e.Right_Count, 2);
    QCOMPARE(e.Wrong_Count, 0);
    QCOMPARE(e.top(0).colour(4), 0u); // mark of the wrong 图 taken away

    // A whole row typed, then Backspace from the empty next row takes the
    // last word of the row before.
    typeAt(e, 0, QStringLiteral("中国人民"));
    QCOMPARE(e.activeRow(), 1);
    press(e, 1, kBackspace);
    QCOMPARE(e.activeRow(), 0);
    QCOMPARE(e.input(0).Text(), QStringLiteral("工人") + sep + QStringLiteral("中国") + sep);
    QCOMPARE(e.Right_Count, 4);
    // A line without any separator becomes empty.
    press(e, 0, kBackspace);
    press(e, 0, kBackspace);
    QCOMPARE(e.input(0).Text(), QString());
    QCOMPARE(e.Right_Count, 0);
}

void TestTypingEngine::ringWithoutTextDropsKey()
{
    Run e({}); // no text: every row empty
    e.beginRun();
    press(e, 0, 'a');
    QCOMPARE(e.Right_Count + e.Wrong_Count, 0);
    QCOMPARE(e.input(0).Text() + e.input(1).Text(), QString());
}

void TestTypingEngine::englishWordCount()
{
    Run e({QStringLiteral("to be "), QStringLiteral("or not ")}, PracticeKind::English);
    e.beginRun();
    typeAt(e, 0, QStringLiteral("to b"));
    QCOMPARE(e.Word_Count, 1);
    typeAt(e, 0, QStringLiteral("e "));
    QCOMPARE(e.Word_Count, 2);
    QCOMPARE(e.activeRow(), 1);
    // Stepping back takes the line's closing space and its word.
    press(e, 1, kBackspace);
    QCOMPARE(e.Word_Count, 1);
    QCOMPARE(e.input(0).Text(), QStringLiteral("to be"));
    press(e, 0, kBackspace);
    press(e, 0, kBackspace);
    press(e, 0, kBackspace);
    QCOMPARE(e.input(0).Text(), QStringLiteral("to"));
    QCOMPARE(e.Word_Count, 0);
    QCOMPARE(e.Right_Count, 2);
}

void TestTypingEngine::f1HintOnlyForTextPractice()
{
    Run e({QStringLiteral("学而时习之")});
    QSignalSpy hint(&e, &TypingEngine::hintRequested);
    e.beginRun();
    typeAt(e, 0, QStringLiteral("学而"));
    e.keyUp(0, TypingEngine::kKeyF1, 0);
    QCOMPARE(hint.count(), 1);
    QCOMPARE(hint.last().at(1).value<QChar>(), QChar(u'时'));
    e.setKind(PracticeKind::English);
    e.keyUp(0, TypingEngine::kKeyF1, 0);
    e.setKind(PracticeKind::Wubi);
    e.setItemLength(2);
    e.keyUp(0, TypingEngine::kKeyF1, 0);
    e.setItemLength(1);
    e.keyUp(0, 113, 0); // F2
    QCOMPARE(hint.count(), 1);
}

void TestTypingEngine::pauseAndResume()
{
    Run e({QStringLiteral("abc")});
    e.beginRun();
    typeAt(e, 0, QStringLiteral("a"));
    e.pauseRun();
    QVERIFY(!e.input(0).Enabled());
    QCOMPARE(e.activeRow(), 0);
    QSignalSpy focus(&e, &TypingEngine::focusRequested);
    e.resumeRun();
    QVERIFY(e.input(0).Enabled());
    QCOMPARE(focus.count(), 1);
    // A new run resets the counters but keeps the rows.
    e.beginRun();
    QCOMPARE(e.Right_Count, 0);
    QCOMPARE(e.input(0).Text(), QStringLiteral("a"));
}

QTEST_GUILESS_MAIN(TestTypingEngine)
#include "tst_typingengine.moc"
