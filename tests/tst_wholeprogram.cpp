// The program as a user meets it: an empty folder, the first user added
// through the dialogs, login into the practice window, a full one-minute
// run, closing, and the next start going straight in; then the upkeep around
// it: installers run on closing, the update check, the window's settings.

#include "TestSupport.h"
#include "app/AppState.h"
#include "app/Clock.h"
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

} // namespace

class TestWholeProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void fromAnEmptyFolderToTheSecondStart();
    void pendingInstallersRunOnce();
    void updateCheckFindsTheUpdater();
    void windowSettingsReadAndWritten();

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
    QSqlQuery log = user.exec(QStringLiteral("select ID, type, s, t, c, r from testlog"));
    QVERIFY(log.next());
    QCOMPARE(log.value(1).toInt(), 0);
    QCOMPARE(log.value(2).toString(), QStringLiteral("56")); // 60 × 93.75 % a minute
    QCOMPARE(log.value(3).toString(), QStringLiteral("1"));
    QCOMPARE(log.value(5).toString(), QStringLiteral("93.75 %"));
    QCOMPARE(log.value(4).toString(), Record_Check(log.value(0).toString(), "0", "56", "1", "93.75 %"));
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

void TestWholeProgram::pendingInstallersRunOnce()
{
    ProgramDb p;
    Recorder r;
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
}

void TestWholeProgram::updateCheckFindsTheUpdater()
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
}

void TestWholeProgram::windowSettingsReadAndWritten()
{
    ProgramDb p;
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

QTEST_MAIN(TestWholeProgram)
#include "tst_wholeprogram.moc"
