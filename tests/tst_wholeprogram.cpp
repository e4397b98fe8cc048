// The program as a user meets it: an empty folder, the first user added
// through the dialogs, login into the practice window, a full one-minute
// run, closing, and the next start going straight in; then the upkeep around
// it (installers run on closing, the update check, the window's settings) and
// a practice run's life from its start to its result, on a manual clock.

#include "RunsFixture.h"
#include "TestSupport.h"
#include "app/AppState.h"
#include "app/Clock.h"
#include "app/Format.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "app/ui/Application.h"
#include "app/ui/LoginHandOff.h"
#include "app/ui/WindowRegistry.h"
#include "controls/RunTimer.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Text.h"
#include "controls/ui/TextData.h"
#include "practice/PracticeRun.h"
#include "practice/ProgramUpkeep.h"
#include "practice/TextSource.h"
#include "practice/WindowSettings.h"
#include "practice/ui/Form_Test_Common.h"
#include "practice/ui/RunPanel.h"
#include "practice/ui/TypingBoard.h"
#include "records/RecordCheck.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "users/ui/LoginWindow.h"
#include "users/ui/UserWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

using namespace tesmara;
using test::shown;

namespace {

StartupServices quietServices()
{
    StartupServices s;
    s.systemNotice = [](const QString&, const QString&) {};
    s.startProgram = [](const QString&, const QStringList&, const QString&, bool) { return true; };
    s.processEvents = [] {};
    s.autoLogin = [] { loginHandOff().autoLogin(); };
    s.showLogin = [] { loginHandOff().showLoginWindow(); };
    return s;
}

// The captions of the window's labels `names`.
QStringList captions(QWidget* window, const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names) {
        texts << window->findChild<MSG_Label*>(name)->Caption();
    }
    return texts;
}

struct Started {
    QString program;
    QStringList args;
};

struct Recorder {
    QList<Started> started;
    int eventRounds = 0;
    UpkeepServices services()
    {
        UpkeepServices s;
        s.startProgram = [this](const QString& p, const QStringList& a, const QString&) {
            started << Started{p, a};
            return true;
        };
        s.processEvents = [this] { ++eventRounds; };
        return s;
    }
};

// The program database in a fresh folder, as the program's connection; one
// that cannot be opened fails the test at once.
struct ProgramDb : test::ProgramFolder {
    ProgramDb()
    {
        if (!db().open(path() + QStringLiteral("d.at"), Database::Mode::ReadWrite)) {
            throw std::runtime_error("program database");
        }
        createAppTables(db());
    }
    Database& db() { return App().Conn_Main; }
    QString setting(const QString& key) { return test::storedSetting(db(), key); }
};

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

class TestWholeProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void fromAnEmptyFolderToTheSecondStart();
    void updaterInstallersAndWindowSettings();
    void liveLabelFormulas_data();
    void liveLabelFormulas();
    void speedPeakKeepsHighestTruncated();
    void reviewTextKeepsCaseAndWholeCharacters();
    void runLengthChecks_data();
    void runLengthChecks();
    void earlyStopAndTheReviewArticle();
    void fullRunsEndWithResultAndRecord_data();
    void fullRunsEndWithResultAndRecord();

private:
    ManualClock m_clock;
};

void TestWholeProgram::initTestCase()
{
    configureApplication();
    // Nothing for the window system to append to the captions.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    // Qt's own file dialog and message box speak Chinese, whatever the locale.
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("查找范围："));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
    setDefaultClock(&m_clock);
    LoginWindow::install();
    Form_Test_Common::install();
}

void TestWholeProgram::cleanupTestCase()
{
    setDefaultClock(nullptr);
    windowRegistry() = {};
}

void TestWholeProgram::fromAnEmptyFolderToTheSecondStart()
{
    test::ProgramFolder folder;
    const QString root = folder.path();
    const QString name = QStringLiteral("李雷");

    // First start: no user; the user adds one in the management window.
    test::answer({"Yes", "OK"});
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<UserWindow*>(QApplication::activeModalWidget());
        QVERIFY(w);
        test::commitText(w->findChild<QLineEdit*>(QStringLiteral("Text_UserName")), "  " + name + " ");
        QTest::keyClicks(w->findChild<QLineEdit*>(QStringLiteral("Text_New1")), QStringLiteral("secret"));
        auto* again = w->findChild<QLineEdit*>(QStringLiteral("Text_New2"));
        QTest::keyClicks(again, QStringLiteral("secret"));
        QTest::keyClick(again, Qt::Key_Return); // the default button: 添加

        test::click(w->findChild<Cmd*>(QStringLiteral("CMD_Exit")));
    });
    {
        Startup startup({root, root}, quietServices());
        QCOMPARE(startup.run(), StartupOutcome::LoginWindow);
    }
    QCOMPARE(MsgScript::shown().first().text,
             QStringLiteral("您好，当前软件没有添加任何用户，现在就进行用户添加操作吗?"));
    LoginWindow* login = shown<LoginWindow>();
    QVERIFY(login);
    QCOMPARE(login->windowTitle(), QStringLiteral("Tesmara 7.05 (2012年3月20日 发布)"));
    QCOMPARE(login->findChild<QComboBox*>(QStringLiteral("UserName"))->currentText(), name); // trimmed
    test::click(login->findChild<Check_Box*>(QStringLiteral("Check_Box1"))); // log in automatically next time
    auto* password = login->findChild<QLineEdit*>(QStringLiteral("PassWord"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    // A wrong password keeps the window, its text selected for typing over.
    QTest::keyClicks(password, QStringLiteral("guess"));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    test::click(login->findChild<Cmd*>(QStringLiteral("CMD_Login")));
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("密码错误"));
    QVERIFY(shown<LoginWindow>() && !shown<Form_Test_Common>());
    QCOMPARE(password->selectedText(), QStringLiteral("guess"));
    QTest::keyClicks(password, QStringLiteral("secret"));
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(MsgScript::pending(), 0);

    // The practice window opens on Chinese essay 1.
    Form_Test_Common* main = shown<Form_Test_Common>();
    QVERIFY(main);
    QTRY_VERIFY(!shown<LoginWindow>());
    QCOMPARE(main->windowTitle(), QStringLiteral("Tesmara → 中文练习 → 文章 1"));
    QApplication::setActiveWindow(main);

    // A one-minute run: the length typed, F5 in its box, 60 right characters
    // and 4 wrong ones.
    main->findChild<QAction*>(QStringLiteral("Menu_Test_Number_Text"))->trigger();
    main->menus().chinese[1]->trigger();
    QCOMPARE(main->windowTitle(), QStringLiteral("Tesmara → 中文练习 → 文章 2"));
    RunPanel& panel = main->runPanel();
    Text* testTime = panel.Test_Time;
    testTime->setFocus();
    testTime->SelAll();
    QTest::keyClicks(testTime->inner(), "1");
    MsgScript::pushAnswer(QStringLiteral("OK"));
    QTest::keyClick(testTime->inner(), Qt::Key_F5);
    QCOMPARE(test::lastMessage(), QStringLiteral("单击“确定”按钮后正式开始练习！"));
    QCOMPARE(panel.CMD_Begin->Caption(), QStringLiteral("暂停(F5)"));
    QVERIFY(panel.CMD_Stop->isEnabled() && !testTime->isEnabled());
    QCOMPARE(QApplication::focusWidget(), main->board().input(0));
    TypingEngine& engine = main->board().engine();
    for (int i = 1; i <= 64; ++i) {
        const int row = engine.activeRow();
        QWidget* line = main->board().input(row);
        if (i % 16 == 0) {
            QTest::keyClick(line, Qt::Key_Q);
        } else {
            const QString top = main->board().top(row)->Text();
            test::commitText(line, top.mid(main->board().input(row)->CountLen(), 1));
        }
        if (i % 4 == 0) {
            m_clock.advanceMs(1000);
            main->run().timer().poll();
        }
    }
    const QStringList live{"Label_Right", "Label_Wrong", "Time_Use", "Time_Free"};
    QCOMPARE(captions(main, live), QStringList({"60 字", "4 字", "0 分钟 16 秒", "0 分钟 44 秒"}));
    // While the result notice is open, the result is on the clipboard (as its
    // title says), the record and the reading position are stored: a kill
    // then loses nothing.
    QStringList atNotice;
    MsgScript::setStrict(false);
    setMsgPresenter([&](const MsgRequest&) {
        atNotice << App().Conn_User.scalar(QStringLiteral("select count(*) from testlog"))->toString()
                 << App().Conn_User.scalar(QStringLiteral("select No_ from test_no where N = '0001'"))->toString()
                 << QGuiApplication::clipboard()->text();
        test::answer({"YesF", "No"}); // keep the mistyped characters; saved; not practised now
        return QStringLiteral("OK");
    });
    while (main->run().state() == PracticeRun::State::Running) {
        m_clock.advanceMs(1000);
        main->run().timer().poll();
    }
    setMsgPresenter({});
    MsgScript::setStrict(true);
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(atNotice.size(), 3);
    QCOMPARE(atNotice.mid(0, 2), QStringList({"1", "65"}));
    QVERIFY(atNotice[2].contains(QStringLiteral("\r\n一共打了： 64 个字\r\n打对了：60 字")));
    QCOMPARE(panel.CMD_Begin->Caption(), QStringLiteral("再来一次(F5)"));
    QVERIFY(!panel.CMD_Stop->isEnabled() && testTime->isEnabled());
    QCOMPARE(captions(main, {"Right_Percent", "Label_Speed"}), QStringList({"93.75 %", "56 字/分钟"}));
    QCOMPARE(main->menus().saveWrongItems.size(), 1);
    QVERIFY(main->menus().saveWrongItems[0]->isEnabled());
    // Again: F5 starts over where the run ended.
    MsgScript::pushAnswer(QStringLiteral("OK"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QCOMPARE(main->board().top(0)->Text(), main->source().Test_Text.mid(64, 30));
    QCOMPARE(engine.Right_Count, 0);
    main->close();
    QTRY_VERIFY(!shown<Form_Test_Common>());

    // Both databases as the run and the close left them.
    Database& user = App().Conn_User;
    QSqlQuery log = user.exec(QStringLiteral("select ID, type || '|' || s || '|' || t || '|' || r, c from testlog"));
    QVERIFY(log.next());
    QCOMPARE(log.value(1).toString(), QStringLiteral("0|56|1|93.75 %")); // 56: 60 × 93.75 % a minute
    QCOMPARE(log.value(2).toString(), Record_Check(log.value(0).toString(), "0", "56", "1", "93.75 %"));
    QVERIFY(!log.next());
    QCOMPARE(user.scalar(QStringLiteral("select count(*) from text_ where N like '%_w'"))->toInt(), 1);
    QCOMPARE(test::storedSetting(App().Conn_Main, QStringLiteral("setup")), QStringLiteral("0"));

    // Second start: logged in with the remembered name and password code,
    // straight into the same practice with the same length.
    App().reset();
    MsgScript::clear();
    {
        Startup startup({root, root}, quietServices());
        QCOMPARE(startup.run(), StartupOutcome::AutoLogin);
    }
    main = shown<Form_Test_Common>();
    QVERIFY(main);
    QVERIFY(!shown<LoginWindow>());
    QCOMPARE(MsgScript::shown().size(), 0);
    QCOMPARE(main->windowTitle(), QStringLiteral("Tesmara → 中文练习 → 文章 2"));
    QCOMPARE(main->findChild<QWidget*>(QStringLiteral("Test_Time"))->property("Text").toString(), QStringLiteral("1"));
    QCOMPARE(main->board().top(0)->Text().left(10), main->source().Test_Text.mid(64, 10));
    main->close();
    QTRY_VERIFY(!shown<Form_Test_Common>());
}

void TestWholeProgram::updaterInstallersAndWindowSettings()
{
    ProgramDb p;
    Recorder r;
    // Nothing there: the error names the download page; nothing starts.
    MsgScript::pushAnswer(QStringLiteral("OK"));
    Menu_Help_CheckNew_Click(true, {}, p.path(), r.services());
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QVERIFY(MsgScript::shown().last().text.contains(QString::fromLatin1(kDownloadPage)));
    QVERIFY(r.started.isEmpty());

    // Only the spare copy: copied up, then started with its token.
    QVERIFY(test::writeFile(p.path() + QStringLiteral("update/Update.exe"), "spare"));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    Menu_Help_CheckNew_Click(true, {}, p.path(), r.services());
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("提示"));
    QVERIFY(MsgScript::shown().last().text.startsWith(QStringLiteral("   已开始检查更新")));
    QFile copied(p.path() + QStringLiteral("Update.exe"));
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), QByteArray("spare"));
    QCOMPARE(r.eventRounds, 1);
    QCOMPARE(r.started.size(), 1);
    QCOMPARE(r.started[0].program, p.path() + QStringLiteral("Update.exe"));
    QCOMPARE(r.started[0].args, QStringList{QStringLiteral("JV")});

    // The updater in the program folder is started directly. With automatic
    // updates off the check asks to turn them on; either way it runs now.
    int turnedOn = 0;
    for (const QString& answer : {QStringLiteral("No"), QStringLiteral("Yes")}) {
        const qsizetype before = MsgScript::shown().size();
        test::answer({answer, "OK"});
        Menu_Help_CheckNew_Click(
            false, [&] { ++turnedOn; }, p.path(), r.services());
        QCOMPARE(MsgScript::shown()[before].title, QStringLiteral("自动更新"));
        QCOMPARE(MsgScript::shown()[before].buttons, 2);
    }
    QCOMPARE(turnedOn, 1);
    QCOMPARE(r.started.size(), 3);
    QCOMPARE(r.eventRounds, 1);
    QCOMPARE(MsgScript::pending(), 0);

    // Installers waiting for the close.
    r.started.clear();
    // No row yet: one is added with "0" and nothing starts.
    QVERIFY(Run_Pending_Setups(p.db(), p.path(), r.services()).isEmpty());
    QCOMPARE(p.setting(QStringLiteral("setup")), QStringLiteral("0"));
    // Pending without a list: nothing to start, no longer pending; any
    // other value than "1" is left as it is.
    Settings(p.db()).setValue(QStringLiteral("setup"), QStringLiteral("1"));
    QVERIFY(Run_Pending_Setups(p.db(), p.path(), r.services()).isEmpty());
    QCOMPARE(p.setting(QStringLiteral("setup")), QStringLiteral("0"));
    Settings(p.db()).setValue(QStringLiteral("setup"), QStringLiteral("7"));
    Run_Pending_Setups(p.db(), p.path(), r.services());
    QCOMPARE(p.setting(QStringLiteral("setup")), QStringLiteral("7"));

    QVERIFY(test::writeFile(p.path() + QStringLiteral("update/setup.dat"),
                            "tool-a\r\n\r\n   \r\nmissing\r\n  tool-b  \r\n"));
    QVERIFY(test::writeFile(p.path() + QStringLiteral("update/tool-a.exe"), "a"));
    QVERIFY(test::writeFile(p.path() + QStringLiteral("update/tool-b.exe"), "b"));
    Settings(p.db()).setValue(QStringLiteral("setup"), QStringLiteral("1"));
    const QStringList started = Run_Pending_Setups(p.db(), p.path(), r.services());
    QCOMPARE(started, (QStringList{p.path() + QStringLiteral("update/tool-a.exe"),
                                   p.path() + QStringLiteral("update/tool-b.exe")}));
    QCOMPARE(r.started.size(), 2);
    QCOMPARE(p.setting(QStringLiteral("setup")), QStringLiteral("0"));
    QVERIFY(!QFile::exists(p.path() + QStringLiteral("update/setup.dat")));
    // The installers themselves stay; the next close starts nothing.
    QVERIFY(QFile::exists(p.path() + QStringLiteral("update/tool-a.exe")));
    QVERIFY(Run_Pending_Setups(p.db(), p.path(), r.services()).isEmpty());

    // The window's settings, repaired as they are read.
    Database user;
    QVERIFY(user.open(p.path() + QStringLiteral("u.at"), Database::Mode::ReadWrite));
    createUserTables(user);
    Settings us(user);
    us.setValue(QStringLiteral("Last_Tips"), QStringLiteral("5"));        // beyond the list: back to 0
    Settings(p.db()).insert(QStringLiteral("Auto_Update"), std::nullopt); // null reads as on
    WindowSettings s = WindowSettings::read(user, p.db());
    QCOMPARE(s.lastTips, 0);
    QVERIFY(s.autoUpdate);
    QVERIFY(s.lastTest.isEmpty());
    QCOMPARE(*us.raw(QStringLiteral("Last_Tips")), std::optional<QString>(QStringLiteral("0")));
    QCOMPARE(*us.raw(QStringLiteral("Last_Test")), std::optional<QString>(QStringLiteral("000")));

    // The window's own settings come back through its closing and opening;
    // the review offer is turned off after a run.
    s.wrongOffer = false;
    s.write(user);
    QVERIFY(!WindowSettings::read(user, p.db()).wrongOffer);

    writeAutoUpdate(p.db(), false);
    QVERIFY(!WindowSettings::read(user, p.db()).autoUpdate);
}

void TestWholeProgram::liveLabelFormulas_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<QStringList>("expected"); // speed, speed2, one, percent
    QTest::addRow("120 right in a minute")
        << 60 << 120 << 0 << QStringList{"120 字/分钟", "2 字/秒", "0.5 秒", "100 %"};
    QTest::addRow("nothing right yet") << 7 << 0 << 3 << QStringList{"0 字/分钟", "0.00 字/秒", "7 秒", "0.00 %"};
    QTest::addRow("fractions") << 7 << 1 << 2 << QStringList{"2 字/分钟", "0.05 字/秒", "7 秒", "33.33 %"};
    QTest::addRow("accuracy rounds half up")
        << 30 << 1999 << 1 << QStringList{"3996 字/分钟", "66.6 字/秒", "0.02 秒", "99.95 %"};
}

void TestWholeProgram::liveLabelFormulas()
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

void TestWholeProgram::speedPeakKeepsHighestTruncated()
{
    // 8.5714... per minute, truncated; a higher speed raises it (that a lower
    // one keeps it, the full runs show).
    const float peak = nextSpeedPeak(0, 7, 1);
    QCOMPARE(Shortest(peak), QStringLiteral("8.57"));
    QCOMPARE(nextSpeedPeak(peak, 3, 10), 200.0f);
}

void TestWholeProgram::reviewTextKeepsCaseAndWholeCharacters()
{
    // Repeats go, case counts (punctuation going: the review article below).
    QCOMPARE(reviewText(QStringLiteral("的了的B了b")), QStringLiteral("的了Bb"));
    // By whole characters: two sharing a first half both stay, half of one
    // goes.
    QCOMPARE(reviewText(QStringLiteral("𠀀𠀁𠀀") + QChar(0xDC00)), QStringLiteral("𠀀𠀁"));
}

void TestWholeProgram::runLengthChecks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minutes");
    QTest::addRow("0") << "0" << 0;
    QTest::addRow("61") << "61" << 0;
    QTest::addRow("60") << "60" << 60;
    QTest::addRow("empty") << "" << 0;
    QTest::addRow("blanks around") << " 5 " << 5;
    QTest::addRow("pasted letters") << "abc" << 0;
    QTest::addRow("digits then letters") << "5ab" << 0;
    QTest::addRow("leading zero") << "05" << 5;
    QTest::addRow("sign") << "-5" << 0;
}

void TestWholeProgram::runLengthChecks()
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

void TestWholeProgram::earlyStopAndTheReviewArticle()
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

void TestWholeProgram::fullRunsEndWithResultAndRecord_data()
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

void TestWholeProgram::fullRunsEndWithResultAndRecord()
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

QTEST_MAIN(TestWholeProgram)
#include "tst_wholeprogram.moc"
