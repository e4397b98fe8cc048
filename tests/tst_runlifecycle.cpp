#include "RunsFixture.h"
#include "app/Clock.h"
#include "app/Format.h"
#include "app/Msg.h"
#include "controls/RunTimer.h"
#include "practice/PracticeRun.h"
#include "practice/TextSource.h"
#include "store/RecordCode.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tesmara;

namespace {

// A Chinese essay of 100 characters and an English text of a few words.
QString essay()
{
    QString text;
    const QString pool = QStringLiteral("春眠不觉晓处处闻啼鸟夜来风雨声花落知多少");
    while (text.size() < 100) {
        text += pool;
    }
    return text.left(100);
}

QString english()
{
    return QStringLiteral("Spring: The quick brown fox jumps over the lazy dog and runs far away into the woods. ");
}

QString loader(int id)
{
    return id >= 100 ? english() : essay();
}

// One main window's worth of run machinery on a manual clock; the test plays
// the typing engine by setting the counters.
struct Bench {
    test::UserFolder user;
    ManualClock clock;
    TextSource source{user.db(), nullptr, loader};
    PracticeRun run{user.db(), source, &clock};
    RunCounters counters;

    Bench()
    {
        run.setCountersSource([this] { return counters; });
        QObject::connect(&run, &PracticeRun::countersResetRequested, [this] { counters = RunCounters{}; });
    }

    // Lets `seconds` pass, one clock tick at a time.
    void pass(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advanceMs(1000);
            run.timer().poll();
        }
    }

    void begin(const QString& minutes = QStringLiteral("1"))
    {
        run.setTestTime(minutes);
        MsgScript::pushAnswer(QStringLiteral("OK"));
        run.CMD_Begin_Click();
    }

    // Runs `action` with every message answered by `presenter`.
    void answering(MsgPresenter presenter, const std::function<void()>& action)
    {
        MsgScript::setStrict(false);
        setMsgPresenter(std::move(presenter));
        action();
        setMsgPresenter({});
        MsgScript::setStrict(true);
    }
};

} // namespace

class TestRunLifecycle : public QObject {
    Q_OBJECT
private slots:
    void liveLabelFormulas_data();
    void liveLabelFormulas();
    void labelsBeforeTheFirstTick();
    void speedPeakKeepsHighestTruncated();
    void reviewTextDropsPunctuationAndRepeats();
    void runLengthChecks_data();
    void runLengthChecks();
    void earlyStopAndTheReviewArticle();
    void fullRunsEndWithResultAndRecord_data();
    void fullRunsEndWithResultAndRecord();
};

void TestRunLifecycle::liveLabelFormulas_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<QStringList>("expected"); // speed, speed2, one, percent
    QTest::addRow("120 right in a minute")
        << 60 << 120 << 0 << QStringList{"120 字/分钟", "2 字/秒", "0.5 秒", "100 %"};
    QTest::addRow("90 right 10 wrong") << 60 << 90 << 10 << QStringList{"81 字/分钟", "1.35 字/秒", "0.67 秒", "90 %"};
    QTest::addRow("nothing right yet") << 7 << 0 << 3 << QStringList{"0 字/分钟", "0.00 字/秒", "7 秒", "0.00 %"};
    QTest::addRow("fractions") << 7 << 1 << 2 << QStringList{"2 字/分钟", "0.05 字/秒", "7 秒", "33.33 %"};
    QTest::addRow("accuracy rounds half up")
        << 30 << 1999 << 1 << QStringList{"3996 字/分钟", "66.6 字/秒", "0.02 秒", "99.95 %"};
}

void TestRunLifecycle::liveLabelFormulas()
{
    QFETCH(int, t);
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(QStringList, expected);
    const LiveLabels l = liveLabels(t, 60, right, wrong);
    QCOMPARE(l.Label_Speed, expected[0]);
    QCOMPARE(l.Label_Speed2, expected[1]);
    QCOMPARE(l.Label_One, expected[2]);
    QCOMPARE(l.Right_Percent, expected[3]);
}

void TestRunLifecycle::labelsBeforeTheFirstTick()
{
    const LiveLabels l = startLabels(10);
    QCOMPARE(l.Time_Use, QStringLiteral(" 0 分钟 0 秒"));
    QCOMPARE(l.Label_Right, QStringLiteral(" 0 字"));
    QCOMPARE(l.Right_Percent, QStringLiteral(" 0.00 %"));
    QCOMPARE(l.Label_Speed, QStringLiteral(" 0 字/分钟"));
    QCOMPARE(l.Label_Speed2, QStringLiteral(" 0 字/秒"));
    QCOMPARE(l.Label_One, QStringLiteral("0.00 秒"));
}

void TestRunLifecycle::speedPeakKeepsHighestTruncated()
{
    float peak = 0;
    peak = nextSpeedPeak(peak, 7, 1); // 8.5714... per minute
    QCOMPARE(Shortest(peak), QStringLiteral("8.57"));
    // (That a lower speed keeps the peak, the full runs show.)
    peak = nextSpeedPeak(peak, 3, 10); // 200
    QCOMPARE(peak, 200.0f);
}

void TestRunLifecycle::reviewTextDropsPunctuationAndRepeats()
{
    QCOMPARE(reviewText(QStringLiteral("'?!.\"-，。“”！？、()（）;；<>＜＞：:　 ")), QString());
    QCOMPARE(reviewText(QStringLiteral("的了的B了b")), QStringLiteral("的了Bb"));
}

void TestRunLifecycle::runLengthChecks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minutes");
    QTest::addRow("0") << "0" << 0;
    QTest::addRow("61") << "61" << 0;
    QTest::addRow("60") << "60" << 60;
    QTest::addRow("1") << "1" << 1;
    QTest::addRow("empty") << "" << 0;
    QTest::addRow("blanks around") << " 5 " << 5;
    QTest::addRow("pasted letters") << "abc" << 0;
    QTest::addRow("digits then letters") << "5ab" << 0;
    QTest::addRow("leading zero") << "05" << 5;
    QTest::addRow("sign") << "-5" << 0;
}

void TestRunLifecycle::runLengthChecks()
{
    QFETCH(QString, text);
    QFETCH(int, minutes);
    QCOMPARE(runMinutes(text), minutes);

    Bench b;
    b.source.chooseChinese(0);
    b.run.setTestTime(text);
    QSignalSpy focus(&b.run, &PracticeRun::testTimeFocusRequested);
    if (minutes == 0) {
        MsgScript::pushAnswer(QStringLiteral("OK"));
        b.run.CMD_Begin_Click();
        QCOMPARE(b.run.state(), PracticeRun::State::Ready);
        QCOMPARE(MsgScript::shown().last().title, QStringLiteral("时间设置问题"));
        QCOMPARE(test::lastMessage(), QStringLiteral("测试时间不能设得小于 1 分钟或超过 60 分钟！"));
        QCOMPARE(focus.count(), 1);
        QVERIFY(!b.run.timer().Enabled());
    } else {
        b.begin(text);
        QCOMPARE(b.run.state(), PracticeRun::State::Running);
        QCOMPARE(b.run.timer().Run_EndTime(), minutes * 60);
        QCOMPARE(b.run.labels().Time_Free, QString::number(minutes) + QStringLiteral(" 分钟 0 秒"));
    }
}

void TestRunLifecycle::earlyStopAndTheReviewArticle()
{
    Bench b;
    b.source.chooseChinese(0);
    b.begin(QStringLiteral("10"));
    b.counters.Right_Count = 20;
    b.counters.Wrong_Count = 3;
    b.pass(10);
    b.clock.advanceMs(600);

    // No: the run goes on as it was; its clock runs on through the question.
    MsgScript::pushAnswer(QStringLiteral("No"));
    b.run.CMD_Stop_Click();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("停止练习"));
    QCOMPARE(test::lastMessage(), QStringLiteral("练习时间还没到，真的要停止吗？"));
    b.clock.advanceMs(400);
    b.run.timer().poll();
    QCOMPARE(b.run.timer().Sum_RunTime(), 11);

    // Yes: no result and (as the window test sees) no record, but the
    // position moves on.
    // The position is stored before the notice shows.
    const qsizetype before = MsgScript::shown().size();
    MsgScript::pushAnswer(QStringLiteral("Yes"));
    QString atNotice;
    QSignalSpy results(&b.run, &PracticeRun::resultReady);
    b.answering(
        [&](const MsgRequest&) {
            atNotice =
                b.user.db().scalar(QStringLiteral("select No_ from test_no where N = '0000'")).value_or(0).toString();
            return QStringLiteral("OK");
        },
        [&] { b.run.CMD_Stop_Click(); });
    QCOMPARE(atNotice, QStringLiteral("24"));
    QCOMPARE(MsgScript::shown().size(), before + 2);
    QCOMPARE(test::lastMessage(), QStringLiteral("本次练习没有正常完成，成绩将不进行记录！"));
    QCOMPARE(results.count(), 0);
    b.pass(5);
    QCOMPARE(b.run.timer().Sum_RunTime(), 11);

    // The time runs out while the question is open: whatever the answer, the
    // run is complete and ends with its result and record.
    b.begin(QStringLiteral("1"));
    b.counters.Right_Count = 50;
    b.pass(59);
    b.answering(
        [&b](const MsgRequest& r) {
            if (r.buttons != 2) {
                return QStringLiteral("OK");
            }
            b.pass(1);
            return QStringLiteral("No");
        },
        [&] { b.run.CMD_Stop_Click(); });
    QCOMPARE(b.run.state(), PracticeRun::State::Finished);
    QCOMPARE(results.count(), 1);
    QCOMPARE(b.user.count(QStringLiteral("testlog")), 1);

    // Stopped early, answered Yes to the offer: the review article is made.
    QSignalSpy offer(&b.run, &PracticeRun::wrongOfferChanged);
    b.begin(QStringLiteral("5"));
    b.counters.Right_Count = 5;
    b.counters.Wrong_Count = 5;
    b.counters.Wrong_Text = QStringLiteral("，中中a。");
    b.pass(3);
    test::answer({"Yes", "OK", "YesF", "No"}); // stop early; no record; save the characters; not now
    b.run.CMD_Stop_Click();
    QCOMPARE(MsgScript::pending(), 0);
    const MsgRequest question = MsgScript::shown().at(MsgScript::shown().size() - 2);
    QCOMPARE(question.text,
             QStringLiteral("您在练习过程中打错了一些字，您希望将这些字保存到\r\n“错字复习”文章中以便日后强化练习吗?"));
    QCOMPARE(question.check, 1);
    QSqlQuery q = b.user.db().exec(QStringLiteral("select N, T, C, No_ from text_"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("错字复习_w"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("中a"));
    QCOMPARE(q.value(2).toString(), Code_Of(QStringLiteral("中a")));
    QVERIFY(b.run.wrongOffer());

    // The next run's characters are added to it; the ticked box turns the
    // offer off.
    b.begin(QStringLiteral("5"));
    b.counters.Wrong_Count = 2;
    b.counters.Wrong_Text = QStringLiteral("a的");
    test::answer({"Yes", "OK", "YesT", "OK"}); // as above, the box ticked; added
    b.run.CMD_Stop_Click();
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(b.user.db()
                 .scalar(QStringLiteral("select T from text_ where N = ?"), {QStringLiteral("错字复习_w")})
                 ->toString(),
             QStringLiteral("中a的"));
    QVERIFY(!b.run.wrongOffer());
    QCOMPARE(offer.count(), 1);

    // With the offer off nothing is asked.
    b.begin(QStringLiteral("5"));
    b.counters.Wrong_Text = QStringLiteral("错");
    test::answer({"Yes", "OK"});
    b.run.CMD_Stop_Click();
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(test::lastMessage(), QStringLiteral("本次练习没有正常完成，成绩将不进行记录！"));
}

void TestRunLifecycle::fullRunsEndWithResultAndRecord_data()
{
    QTest::addColumn<QString>("source");     // chinese, english, letters or article
    QTest::addColumn<QList<int>>("counts");  // right, wrong and words at the end
    QTest::addColumn<QStringList>("result"); // its title, then lines it holds
    QTest::addColumn<QString>("record");     // "type/speed", "" when none is kept
    QTest::addColumn<qint64>("position");    // where the text is read next, -1: not kept
    const QString plain = QStringLiteral("本次测试结果(已复制到剪贴板)");
    // 100 characters typed from position 1 of a 100-character essay: the
    // whole essay was read, the next run starts at its beginning again.
    QTest::newRow("Chinese essay read to its end")
        << "chinese" << QList<int>{90, 10, 0}
        << QStringList{plain, "测试时间：1 分钟 0 秒\r\n一共打了： 100 个字\r\n打对了：90 字\r\n打错了：10 字\r\n"
                              "正确率：90 %\r\n速度为：81 字/分钟\r\n      1.35 字/秒\r\n\r\n"
                              "练习过程中的速度峰值：5400 字/分钟"}
        << "0/81" << qint64(1);
    QTest::newRow("English article counts words")
        << "english" << QList<int>{240, 5, 41}
        << QStringList{"练习结果(已复制到剪贴板)", "\r\n一共打了： 245 个字符 /41 个单词\r\n打对了：240 "
                                                   "字符\r\n打错了：5 字符\r\n正确率：97.96 %\r\n"}
        << "1/235" << qint64(-1);
    // The random letters are not an English article: the plain form.
    QTest::newRow("random letters") << "letters" << QList<int>{60, 0, 0}
                                    << QStringList{plain, "练习过程中的速度峰值：3600 字/分钟"} << "1/60" << qint64(-1);
    QTest::newRow("saved article: no record")
        << "article" << QList<int>{50, 0, 0} << QStringList{plain} << "" << qint64(51);
}

void TestRunLifecycle::fullRunsEndWithResultAndRecord()
{
    QFETCH(QString, source);
    QFETCH(QList<int>, counts);
    QFETCH(QStringList, result);
    QFETCH(QString, record);
    QFETCH(qint64, position);
    Bench b;
    const QString article = QStringLiteral("文章_u");
    if (source == "article") {
        test::addArticle(b.user.db(), article, QStringLiteral("字").repeated(80));
        QVERIFY(b.source.chooseArticle(article));
    } else if (source == "chinese") {
        b.source.chooseChinese(0);
    } else {
        b.source.chooseEnglish(source == "english" ? 3 : 10);
    }
    QSignalSpy reload(&b.run, &PracticeRun::rowsReloadRequested);
    QSignalSpy reset(&b.run, &PracticeRun::countersResetRequested);
    QSignalSpy results(&b.run, &PracticeRun::resultReady);
    QSignalSpy input(&b.run, &PracticeRun::inputLineEnabled);
    b.begin();
    QCOMPARE(reload.count(), 0);
    QCOMPARE(input.count(), 1);
    QCOMPARE(input.last().at(0).toBool(), true);
    b.counters = RunCounters{};
    b.counters.Right_Count = counts[0];
    b.counters.Wrong_Count = counts[1];
    b.counters.Word_Count = counts[2];
    b.pass(59);
    QCOMPARE(b.run.state(), PracticeRun::State::Running);
    MsgScript::pushAnswer(QStringLiteral("OK"));
    b.pass(1);
    QCOMPARE(b.run.state(), PracticeRun::State::Finished);
    QCOMPARE(b.run.labels().Time_Use, QStringLiteral("1 分钟 0 秒"));
    QCOMPARE(b.run.labels().Time_Free, QStringLiteral("0 分钟 0 秒"));
    QCOMPARE(input.last().at(0).toBool(), false);
    const MsgRequest shown = MsgScript::shown().last();
    QCOMPARE(shown.title, result[0]);
    QCOMPARE(results.count(), 1);
    QCOMPARE(results.first().at(0).toString(), shown.text);
    for (const QString& line : result.mid(1)) {
        // A whole result is compared whole; otherwise the line is found in it.
        if (line.startsWith(QStringLiteral("测试时间"))) {
            QCOMPARE(shown.text, line);
        } else {
            QVERIFY2(shown.text.contains(line), qPrintable(shown.text));
        }
    }
    QCOMPARE(b.user.db().scalar(QStringLiteral("select type || '/' || s from testlog")).value_or("").toString(),
             record);
    if (position > 0) {
        const bool saved = source == "article";
        QCOMPARE(test::position(b.user.db(), saved ? "text_" : "test_no", saved ? article : "0000"), position);
    }

    // Again: the rows are read anew and everything counts from nothing.
    b.begin();
    QCOMPARE(reload.count(), 1);
    QCOMPARE(reset.count(), 2);
    QCOMPARE(b.run.Speed_Peak(), 0.0f);
    QCOMPARE(b.run.state(), PracticeRun::State::Running);
    QCOMPARE(b.run.labels(), startLabels(1));
}

QTEST_GUILESS_MAIN(TestRunLifecycle)
#include "tst_runlifecycle.moc"
