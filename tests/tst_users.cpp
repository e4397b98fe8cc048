#include "app/AppState.h"
#include "app/Msg.h"
#include "store/Database.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "users/Login.h"
#include "users/UserAccounts.h"
#include "users/UserNames.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

using namespace tesmara;

namespace {

using Add = UserAccounts::AddResult;

const QString kRefused = QStringLiteral("~`!@#$%^&*()_-+=|\\{[}]:;\"'<,>.?/");

// A program folder with an application database open as Conn_Main.
struct Install {
    test::ProgramFolder folder;
    QString root = folder.path();

    Install()
    {
        App().Conn_Main.open(root + "d.at", Database::Mode::ReadWrite);
        createAppTables(App().Conn_Main);
        Settings settings(App().Conn_Main, root);
        settings.insert("Auto_Login_Name", std::nullopt);
        settings.insert("Auto_Login_PassWord", std::nullopt);
    }
    UserAccounts accounts() { return UserAccounts(App().Conn_Main, root); }

    // Adds a user, answering the empty-password question and the notice.
    void addUser(const QString& name, const QString& password)
    {
        if (password.isEmpty()) {
            MsgScript::pushAnswer("Yes");
        }
        MsgScript::pushAnswer("OK");
        QCOMPARE(accounts().add(name, password, password), Add::Added);
    }
    QStringList usersByRecency()
    {
        QStringList rows;
        QSqlQuery q = App().Conn_Main.exec("select Un, I from [user] order by I, ID");
        while (q.next()) {
            rows << q.value(0).toString() + ":" + q.value(1).toString();
        }
        return rows;
    }
    QString pw(const QString& name)
    {
        return App().Conn_Main.scalar("select Pw from [user] where Un = ?", {name}).value_or(QString()).toString();
    }
    QString setting(const QString& key)
    {
        const auto v = Settings(App().Conn_Main, root).raw(key);
        return !v ? "<missing>" : !*v ? "<null>" : **v;
    }
};

// The single message shown since the last clear, as "title|icon|buttons|text".
QString lastShown()
{
    const auto shown = MsgScript::shown();
    if (shown.isEmpty()) {
        return "<none>";
    }
    const MsgRequest& r = shown.last();
    return QStringLiteral("%1|%2|%3|%4").arg(r.title).arg(r.icon).arg(r.buttons).arg(r.text);
}

} // namespace

class TestUsers : public QObject {
    Q_OBJECT
private slots:
    void nameRules_data();
    void nameRules();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void changeDeleteLoginModeAndAddOverOldFolders();
    void loginChecksPasswordRemembersAndOpensPhrases();
    void loginOpensTheWindowOfTheLastMode_data();
    void loginOpensTheWindowOfTheLastMode();
    void loginThatCannotOpenTheDatabaseOpensNothing_data();
    void loginThatCannotOpenTheDatabaseOpensNothing();
};

void TestUsers::nameRules_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // "" when refused
    QTest::addColumn<QString>("message");
    const QString empty = "错误|0|0|您还没有输入用户名呢！";
    const QString tooLong = "错误|0|0|用户名最大长度为 20 个字符！";
    const QStringList spaced = kRefused.split(QString(), Qt::SkipEmptyParts);
    const QString refused = "错误|0|0|用户名中不得含有以下字符：\r\n" + spaced.join(QLatin1Char(' '));
    QTest::addRow("empty") << "" << QString() << empty;
    QTest::addRow("blanks only") << "    " << QString() << empty;
    QTest::addRow("20 letters") << QString(20, 'a') << QString(20, 'a') << QString();
    QTest::addRow("21 letters") << QString(21, 'a') << QString() << tooLong;
    QTest::addRow("20 letters in blanks") << "  " + QString(20, 'b') + "   " << QString(20, 'b') << QString();
    QTest::addRow("20 Chinese") << QString(20, QChar(u'字')) << QString(20, QChar(u'字')) << QString();
    QTest::addRow("21 Chinese") << QString(21, QChar(u'字')) << QString() << tooLong;
    QTest::addRow("Chinese in blanks") << "  张 三  " << QStringLiteral("张 三") << QString();
    for (const QChar c : kRefused + "\n") {
        QTest::addRow("refused U+%04X", c.unicode()) << "a" + QString(c) + "b" << QString() << refused;
    }
    // Full-width forms and other scripts are ordinary characters.
    QTest::addRow("full-width brackets") << "小明（一）" << QStringLiteral("小明（一）") << QString();
    QTest::addRow("Cyrillic") << "Анна" << QStringLiteral("Анна") << QString();
    // Unicode blanks count as blanks; invisible characters are named.
    QTest::addRow("ideographic spaces only") << "\u3000\u3000" << QString() << empty;
    QTest::addRow("ideographic spaces around") << "\u3000张三\u00A0" << QStringLiteral("张三") << QString();
    QTest::addRow("zero-width space only") << "\u200B" << QString() << "错误|0|0|用户名中不得含有看不见的字符 U+200B。";
    QTest::addRow("direction override") << "abc\u202Egpj" << QString()
                                        << "错误|0|0|用户名中不得含有看不见的字符 U+202E。";
    QTest::addRow("no-break space inside")
        << "张\u00A0三" << QString() << "错误|0|0|用户名中不得含有看不见的字符 U+00A0。";
}

void TestUsers::nameRules()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    Install install;
    MsgScript::pushAnswer("OK");
    QString trimmed;
    const Add result = install.accounts().add(typed, "pw", "pw", &trimmed);
    QCOMPARE(trimmed, trimUserName(typed));
    if (stored.isEmpty()) {
        QVERIFY(result != Add::Added);
        QCOMPARE(lastShown(), message);
        QCOMPARE(install.accounts().count(), 0);
        QVERIFY(!QFileInfo::exists(install.root + "user"));
        return;
    }
    QCOMPARE(result, Add::Added);
    QCOMPARE(install.accounts().names(), QStringList{stored});
    QCOMPARE(install.pw(stored), Code_Of(stored + "pw"));
    QVERIFY(QFileInfo::exists(userDbPath(install.root, stored)));
    QCOMPARE(lastShown(), QStringLiteral("操作成功|1|0|    用户 %1 添加成功！如需使用该新增用户登录，\r\n"
                                         "请关闭“用户管理”窗口转到登录窗口进行登录。。")
                              .arg(stored));
}

void TestUsers::refusalsChangeNothing_data()
{
    using C = UserAccounts::ChangeResult;
    using D = UserAccounts::DeleteResult;
    using R = UserAccounts::ModeResult;
    QTest::addColumn<QString>("request"); // what the user asks, its fields split by "|"
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("declined"); // the question is answered No
    QTest::addColumn<QString>("message");
    const QString differ = "错误|0|0|两次输入的密码不一样，请重新输入！";
    const QString duplicate = "错误|0|0|已经有同名的用户了，请选另一个用户名！";
    const QString noPassword = "错误|0|0|请输入密码！";
    QTest::newRow("add: passwords differ") << "add|Ann|abc|abd" << int(Add::PasswordsDiffer) << false << differ;
    QTest::newRow("add: empty password declined")
        << "add|Ann||" << int(Add::EmptyPasswordRefused) << true << "错误|2|2|您输入的密码为空，真的要使用空密码吗?";
    QTest::newRow("add: same name") << "add|Eve|2|2" << int(Add::Duplicate) << false << duplicate;
    QTest::newRow("add: same name in blanks") << "add|  Eve |2|2" << int(Add::Duplicate) << false << duplicate;
    QTest::newRow("add: same name in other case") << "add|eve|2|2" << int(Add::Duplicate) << false << duplicate;
    QTest::newRow("change: wrong old password")
        << "change|Eve|wrong|new|new" << int(C::WrongOldPassword) << false << "错误|0|0|对不起，您输入的旧密码错误！";
    QTest::newRow("change: passwords differ") << "change|Eve|old|new|neu" << int(C::PasswordsDiffer) << false << differ;
    QTest::newRow("change: empty password declined") << "change|Eve|old||" << int(C::EmptyPasswordRefused) << true
                                                     << "请确认|2|2|您输入的密码为空，真的要使用空密码吗?";
    QTest::newRow("delete: logged in")
        << "remove|Kim|k|Kim" << int(D::LoggedIn) << false
        << "提示|1|0|    对不起，此用户当前正在登录状态。\r\n如果您想要删除此用户的话，请在登录窗口中调用删除功能。";
    QTest::newRow("delete: wrong password")
        << "remove|Kim|m|" << int(D::WrongPassword) << false << "错误|0|0|对不起，您输入的密码错误！";
    QTest::newRow("delete: not confirmed")
        << "remove|Kim|k|Eve" << int(D::NotConfirmed) << true << "请确认|2|2|真的要删除用户：Kim 吗?";
    QTest::newRow("mode: none chosen") << "mode|0|Kim|k" << int(R::NoModeChosen) << false
                                       << "错误|0|0|请选择登录模式！";
    QTest::newRow("mode: no password typed") << "mode|2|Kim|" << int(R::EmptyPassword) << false << noPassword;
    // A user without a password cannot log in automatically.
    QTest::newRow("mode: user without password") << "mode|2|Nil|" << int(R::EmptyPassword) << false << noPassword;
    QTest::newRow("mode: wrong password")
        << "mode|2|Kim|q" << int(R::WrongPassword) << false << "密码错误|0|0|您输入的密码错误！";
}

void TestUsers::refusalsChangeNothing()
{
    QFETCH(QString, request);
    QFETCH(int, result);
    QFETCH(bool, declined);
    QFETCH(QString, message);
    Install install;
    install.addUser("Eve", "old");
    install.addUser("Kim", "k");
    install.addUser("Nil", "");
    MsgScript::pushAnswer(declined ? "No" : "OK");
    UserAccounts accounts = install.accounts();
    const QStringList f = request.split(QLatin1Char('|'));
    if (f[0] == "add") {
        QCOMPARE(int(accounts.add(f[1], f[2], f[3])), result);
    } else if (f[0] == "change") {
        QCOMPARE(int(accounts.changePassword(f[1], f[2], f[3], f[4])), result);
    } else if (f[0] == "remove") {
        QCOMPARE(int(accounts.remove(f[1], f[2], f[3])), result);
    } else {
        QCOMPARE(int(accounts.setLoginMode(UserAccounts::LoginMode(f[1].toInt()), f[2], f[3])), result);
    }
    QCOMPARE(lastShown(), message);
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(install.usersByRecency(), (QStringList{"Eve:0", "Kim:1", "Nil:2"}));
    QCOMPARE(install.pw("Eve"), Code_Of("Eveold"));
    QVERIFY(QFileInfo::exists(userDbPath(install.root, "Kim")));
    QVERIFY(!QFileInfo::exists(install.root + "user/Ann"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
}

void TestUsers::changeDeleteLoginModeAndAddOverOldFolders()
{
    Install install;
    using M = UserAccounts::LoginMode;
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().changePassword("", "", "1", "1"), UserAccounts::ChangeResult::NoUsers);
    QCOMPARE(lastShown(), QStringLiteral("错误|0|0|对不起，用户列表为空，请先添加用户！"));

    install.addUser("Eve", "old");
    install.addUser("Kim", "k");
    install.addUser("Max", "m");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().changePassword("Eve", "old", "new", "new"), UserAccounts::ChangeResult::Changed);
    QCOMPARE(lastShown(), QStringLiteral("操作成功|1|0|用户 Eve 的密码修改成功！"));
    QCOMPARE(install.pw("Eve"), Code_Of("Evenew"));
    QVERIFY(!install.accounts().passwordMatches("Eve", "old"));
    test::answer({"Yes", "OK"});
    QCOMPARE(install.accounts().changePassword("Eve", "new", "", ""), UserAccounts::ChangeResult::Changed);
    QVERIFY(install.accounts().passwordMatches("Eve", ""));

    // A non-empty folder where the file is moved aside blocks the removal:
    // nothing changes.
    const QString blocker = userDbPath(install.root, "Kim") + ".deleted/x";
    QVERIFY(test::writeFile(blocker, "x"));
    test::answer({"Yes", "OK"});
    QCOMPARE(install.accounts().remove("Kim", "k", "Max"), UserAccounts::DeleteResult::Failed);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QCOMPARE(install.usersByRecency(), (QStringList{"Eve:0", "Kim:1", "Max:2"}));
    QVERIFY(QFileInfo::exists(userDbPath(install.root, "Kim")));
    QVERIFY(QDir(QFileInfo(blocker).path()).removeRecursively());

    // Deleted: the database and the mistake statistics go, the emptied
    // folder stays, the rest are numbered on without a gap.
    QVERIFY(test::writeFile(install.root + "user/Kim/mistakes.db", "counts"));
    test::answer({"Yes", "OK"});
    QCOMPARE(install.accounts().remove("Kim", "k", "Max"), UserAccounts::DeleteResult::Deleted);
    QCOMPARE(lastShown(), QStringLiteral("操作成功|1|0|用户 Kim 已成功删除！"));
    QCOMPARE(install.usersByRecency(), (QStringList{"Eve:0", "Max:1"}));
    QVERIFY(QFileInfo(install.root + "user/Kim").isDir());
    QCOMPARE(QDir(install.root + "user/Kim").entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
    // A database removed by hand does not stop the user's deletion.
    QFile::remove(userDbPath(install.root, "Max"));
    test::answer({"Yes", "OK"});
    QCOMPARE(install.accounts().remove("Max", "m", ""), UserAccounts::DeleteResult::Deleted);
    QCOMPARE(install.accounts().names(), QStringList{"Eve"});

    // A new user goes last. Automatic login remembers the name; manual
    // forgets it, not the code.
    install.addUser("Zed", "z");
    QCOMPARE(install.usersByRecency(), (QStringList{"Eve:0", "Zed:1"}));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::Automatic, "Zed", "z"), UserAccounts::ModeResult::Applied);
    QCOMPARE(lastShown(), QStringLiteral("操作成功|1|0|自动登录设置成功！"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("Zed"));
    const QString code = install.setting("Auto_Login_PassWord");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::Manual, "Zed", ""), UserAccounts::ModeResult::Applied);
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QCOMPARE(install.setting("Auto_Login_PassWord"), code);

    const QString stats = install.root + "user/Lee/mistakes.db";
    // A user added again with the database still there gets an empty one.
    install.addUser("Lee", "y");
    {
        Database db;
        QVERIFY(db.open(userDbPath(install.root, "Lee"), Database::Mode::ReadWrite));
        db.exec("insert into testlog (type, s, t, c, r) values ('0', 1, 2, 'c', 'r')");
    }
    QVERIFY(test::writeFile(stats, "counts") && test::writeFile(install.root + "user/Lee/notes.txt", "kept"));
    App().Conn_Main.exec("delete from [user]");
    install.addUser("Lee", "z");
    // Statistics of the one before are kept aside, not continued.
    QVERIFY(!QFileInfo::exists(stats));
    QCOMPARE(QDir(install.root + "user/Lee").entryList({"mistakes.db.2*"}).size(), 1);
    Database db;
    QVERIFY(db.open(userDbPath(install.root, "Lee"), Database::Mode::ReadWrite));
    QCOMPARE(db.scalar("select count(*) from testlog")->toInt(), 0);
    QVERIFY(QFileInfo::exists(install.root + "user/Lee/notes.txt"));

    // The old database was moved aside under a dated name, records and all,
    // and the notice says where.
    const QStringList aside = QDir(install.root + "user/Lee").entryList({"d.at.*"}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QVERIFY(QRegularExpression("^d\\.at\\.\\d{8}-\\d{6}$").match(aside.first()).hasMatch());
    const QString kept = install.root + "user/Lee/" + aside.first();
    QVERIFY(MsgScript::shown().last().text.endsWith(QDir::toNativeSeparators(kept)));
    Database old;
    QVERIFY(old.open(kept, Database::Mode::ReadWrite));
    QCOMPARE(old.scalar("select count(*) from testlog")->toInt(), 1);

    // A file where the user folder would go cannot be replaced by a folder,
    // also for the super-user.
    QVERIFY(test::writeFile(install.root + "user/Bob", "in the way"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().add("Bob", "1", "1"), Add::Failed);
    QVERIFY(lastShown().startsWith("错误|0|0|") && lastShown().contains("Bob"));
    QCOMPARE(install.accounts().names(), QStringList{"Lee"});

    // The same with "user" itself in the way: nothing is left behind.
    QDir(install.root + "user").removeRecursively();
    QVERIFY(test::writeFile(install.root + "user", "in the way"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().add("Bob", "1", "1"), Add::Failed);
    QCOMPARE(install.accounts().names(), QStringList{"Lee"});
    QVERIFY(QFileInfo(install.root + "user").isFile());
}

void TestUsers::loginChecksPasswordRemembersAndOpensPhrases()
{
    Install install;
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn("", "", false), LoginResult::NoUsers);
    QCOMPARE(lastShown(), QStringLiteral("提示|1|0|当前用户列表为空，请单击右边的添加用户按钮添加本地用户！"));

    install.addUser("Joe", "j");
    install.addUser("李雷", "韩梅梅");
    install.addUser("Amy", "a");
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn("李雷", "j", true), LoginResult::WrongPassword);
    QCOMPARE(install.usersByRecency(), (QStringList{"Joe:0", "李雷:1", "Amy:2"}));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QVERIFY(App().User_Name.isEmpty() && !App().Conn_User.isOpen());

    // Logging in moves the user to the front, the others keep their order.
    QCOMPARE(logIn("李雷", "韩梅梅", true), LoginResult::LoggedIn);
    QCOMPARE(App().User_Name, QStringLiteral("李雷"));
    QCOMPARE(install.accounts().names(), (QStringList{"李雷", "Joe", "Amy"}));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("李雷"));
    const QString remembered = install.setting("Auto_Login_PassWord");
    QCOMPARE(remembered, Code_Of("李雷" + install.pw("李雷")));
    // Without the tick the name is forgotten, the code is left as it was.
    QCOMPARE(logIn("Joe", "j", false), LoginResult::LoggedIn);
    QCOMPARE(install.usersByRecency(), (QStringList{"Joe:0", "李雷:1", "Amy:2"}));
    QCOMPARE(App().Conn_User.path(), userDbPath(install.root, "Joe"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QCOMPARE(install.setting("Auto_Login_PassWord"), remembered);

    // No phrase list shipped: the user still gets in, without phrases.
    App().Share_Path = install.root + "share/";
    QCOMPARE(logIn("Joe", "j", false), LoginResult::LoggedIn);
    QVERIFY(!App().Conn_Phrase.isOpen());
    {
        QDir().mkpath(App().Share_Path);
        Database p;
        QVERIFY(p.open(App().Share_Path + "p.dat", Database::Mode::ReadWrite));
        p.exec("create table v2 (ID integer primary key, Phrase text, py text)");
    }
    QCOMPARE(logIn("Joe", "j", false), LoginResult::LoggedIn);
    QVERIFY(App().Conn_Phrase.isOpen());
    QCOMPARE(App().Conn_Phrase.path(), App().Share_Path + "p.dat");
    // Read-only: writing fails as an engine error.
    QVERIFY_THROWS_EXCEPTION(DatabaseFailure, App().Conn_Phrase.exec("insert into v2 (Phrase, py) values ('a', 'b')"));
}

void TestUsers::loginOpensTheWindowOfTheLastMode_data()
{
    QTest::addColumn<QString>("stored"); // "" when the user's database is gone
    QTest::addColumn<bool>("game");
    QTest::addRow("main") << "0" << false;
    QTest::addRow("game") << "1" << true;
    QTest::addRow("2 passes, no window of its own") << "2" << false;
    QTest::addRow("database made anew") << "" << false;
}

void TestUsers::loginOpensTheWindowOfTheLastMode()
{
    QFETCH(QString, stored);
    QFETCH(bool, game);
    Install install;
    install.addUser("Ron", "r");
    MsgScript::clear();
    if (stored.isEmpty()) {
        QVERIFY(QDir(install.root + "user").removeRecursively());
        MsgScript::pushAnswer("OK");
    } else {
        Database db;
        QVERIFY(db.open(userDbPath(install.root, "Ron"), Database::Mode::ReadWrite));
        Settings(db).insert("Last_Test_Mode", stored);
    }
    FirstWindow first;
    QCOMPARE(logIn("Ron", "r", false, &first), LoginResult::LoggedIn);
    QCOMPARE(first == FirstWindow::Game, game);
    QCOMPARE(Settings(App().Conn_User).raw("Last_Test_Mode"), std::optional<QString>(stored.isEmpty() ? "0" : stored));
    // Only a missing database is told, once.
    QCOMPARE(lastShown(),
             stored.isEmpty() ? QStringLiteral("提示|1|0|用户配置文件不存在，将采用默认配置。") : "<none>");
    QVERIFY(QFileInfo::exists(userDbPath(install.root, "Ron")));
}

void TestUsers::loginThatCannotOpenTheDatabaseOpensNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("locked"); // made read-only, below the user folder
    QTest::addRow("a file where the folder goes") << "Vic" << QString();
    QTest::addRow("read-only database") << "Wu"
                                        << "d.at";
    QTest::addRow("read-only user folder") << "Wu"
                                           << "";
    // Names written into the application database by another program.
    QTest::addRow("parent folder") << "../pwned" << QString();
    QTest::addRow("through a user folder") << "x/../../pwned" << QString();
    QTest::addRow("invisible") << "\u200B" << QString();
}

void TestUsers::loginThatCannotOpenTheDatabaseOpensNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, locked);
    Install install;
    std::unique_ptr<test::ReadOnly> readOnly;
    const bool foreign = checkUserName(trimUserName(name)) != NameProblem::None || name.contains(QLatin1Char('/'));
    if (foreign) {
        QVERIFY(QDir().mkpath(install.root + "user/x"));
        App().Conn_Main.exec("insert into [user] (Un, Pw, I) values (?, ?, 0)", {name, Code_Of(name + "p")});
    } else {
        install.addUser(name, "p");
        if (locked.isNull()) {
            QDir(install.root + "user/" + name).removeRecursively();
            QVERIFY(test::writeFile(install.root + "user/" + name, "in the way"));
        } else {
            readOnly = std::make_unique<test::ReadOnly>(install.root + "user/" + name + "/" + locked);
        }
    }
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn(name, "p", true), LoginResult::DataFailed);
    const MsgRequest shown = MsgScript::shown().last();
    QCOMPARE(shown.title, QStringLiteral("错误"));
    QVERIFY(shown.text.contains(foreign || locked.isNull() ? name
                                                           : QDir::toNativeSeparators(userDbPath(install.root, name))));
    QCOMPARE(App().User_Name, QString());
    QVERIFY(!App().Conn_User.isOpen());
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QVERIFY(!QFileInfo::exists(install.root + "pwned"));
    if (!foreign) {
        QCOMPARE(QFileInfo(install.root + "user/" + name).isFile(), locked.isNull());
        return;
    }
    // Deleting such a user removes the row and touches no file.
    QVERIFY(test::writeFile(install.root + "pwned/d.at", "somebody else's file"));
    test::answer({"Yes", "OK"});
    QCOMPARE(install.accounts().remove(name, "p", ""), UserAccounts::DeleteResult::Deleted);
    QCOMPARE(install.accounts().count(), 0);
    QCOMPARE(QDir(install.root + "pwned").entryList(QDir::Files), QStringList{"d.at"});
}

QTEST_GUILESS_MAIN(TestUsers)
#include "tst_users.moc"
