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

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

using namespace tesmara;

namespace {

using Add = UserAccounts::AddResult;

const QString kRefusedList = QStringLiteral("~ ` ! @ # $ % ^ & * ( ) _ - + = | \\ { [ } ] : ; \" ' < , > . ? /");

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
QString lastMessage()
{
    const auto shown = MsgScript::shown();
    if (shown.isEmpty()) {
        return "<none>";
    }
    const MsgRequest& r = shown.last();
    return QStringLiteral("%1|%2|%3|%4").arg(r.title).arg(r.icon).arg(r.buttons).arg(r.text);
}

// The record code derived from plain MD5, for ASCII text only.
QString asciiCode(const QString& s)
{
    auto md5 = [](const QString& t) {
        return QString::fromLatin1(QCryptographicHash::hash(t.toLatin1(), QCryptographicHash::Md5).toHex());
    };
    const QString h = md5(s).mid(8, 16);
    QString p;
    for (int i = 0; i < 4; ++i) {
        if (!h[i].isDigit()) {
            p += h[i];
        }
    }
    p += h.mid(4, 4);
    for (int i = 8; i < 12; ++i) {
        if (!h[i].isDigit()) {
            p += h[i];
        }
    }
    return md5(p + h.mid(12));
}

} // namespace

class TestUsers : public QObject {
    Q_OBJECT
private slots:
    void nameRules_data();
    void nameRules();
    void everyRefusedCharacterIsRefused();
    void duplicateNamesAreRefused();
    void passwordsMustMatchAndEmptyIsAsked();
    void storedPasswordCodesAreBitExact();
    void oldFolderGetsFreshDatabase();
    void unusableUserFolderAddsNothing();
    void recencyOrderAndRenumbering();
    void changePassword();
    void deleteUser();
    void deleteThatCannotRemoveTheFileChangesNothing();
    void loginMode();
    void loginChecksPasswordAndRemembers();
    void loginRecreatesMissingDatabase();
    void loginRepairsTestMode_data();
    void loginRepairsTestMode();
    void loginOpensPhraseDatabase();
    void loginWithUnusableFolderOpensNothing();
    void loginWithUnwritableDatabaseOpensNothing_data();
    void loginWithUnwritableDatabaseOpensNothing();
    void storedNamesThatAreNoFolderNamesAreRefused_data();
    void storedNamesThatAreNoFolderNamesAreRefused();
};

void TestUsers::nameRules_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // "" when refused
    QTest::addColumn<QString>("message");
    const QString tooLong = "错误|0|0|用户名最大长度为 20 个字符！";
    QTest::addRow("empty") << ""
                           << ""
                           << "错误|0|0|您还没有输入用户名呢！";
    QTest::addRow("blanks only") << "    "
                                 << ""
                                 << "错误|0|0|您还没有输入用户名呢！";
    QTest::addRow("20 letters") << QString(20, 'a') << QString(20, 'a') << "";
    QTest::addRow("21 letters") << QString(21, 'a') << "" << tooLong;
    QTest::addRow("20 letters in blanks") << "  " + QString(20, 'b') + "   " << QString(20, 'b') << "";
    QTest::addRow("20 Chinese") << QString(20, QChar(u'字')) << QString(20, QChar(u'字')) << "";
    QTest::addRow("21 Chinese") << QString(21, QChar(u'字')) << "" << tooLong;
    QTest::addRow("Chinese in blanks") << "  张 三  "
                                       << "张 三"
                                       << "";
    QTest::addRow("underscore") << "a_b"
                                << ""
                                << "错误|0|0|用户名中不得含有以下字符：\r\n" + kRefusedList;
    QTest::addRow("full stop") << "a.b"
                               << ""
                               << "错误|0|0|用户名中不得含有以下字符：\r\n" + kRefusedList;
    QTest::addRow("line break") << "a\nb"
                                << ""
                                << "错误|0|0|用户名中不得含有以下字符：\r\n" + kRefusedList;
    // Unicode blanks count as blanks; invisible characters are named.
    const QString empty = "错误|0|0|您还没有输入用户名呢！";
    QTest::addRow("ideographic spaces only") << QStringLiteral("\u3000\u3000") << "" << empty;
    QTest::addRow("no-break space only") << QStringLiteral("\u00A0") << "" << empty;
    QTest::addRow("ideographic spaces around") << QStringLiteral("\u3000张三\u00A0") << "张三"
                                               << "";
    QTest::addRow("zero-width space only") << QStringLiteral("\u200B") << ""
                                           << "错误|0|0|用户名中不得含有看不见的字符 U+200B。";
    QTest::addRow("direction override") << QStringLiteral("abc\u202Egpj") << ""
                                        << "错误|0|0|用户名中不得含有看不见的字符 U+202E。";
    QTest::addRow("no-break space inside") << QStringLiteral("张\u00A0三") << ""
                                           << "错误|0|0|用户名中不得含有看不见的字符 U+00A0。";
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
        QCOMPARE(lastMessage(), message);
        QCOMPARE(install.accounts().count(), 0);
        QVERIFY(!QFileInfo::exists(install.root + "user"));
        return;
    }
    QCOMPARE(result, Add::Added);
    QCOMPARE(install.accounts().names(), QStringList{stored});
    QCOMPARE(install.pw(stored), Code_Of(stored + "pw"));
    QVERIFY(QFileInfo::exists(userDbPath(install.root, stored)));
    QCOMPARE(lastMessage(), QStringLiteral("操作成功|1|0|    用户 %1 添加成功！如需使用该新增用户登录，\r\n"
                                           "请关闭“用户管理”窗口转到登录窗口进行登录。。")
                                .arg(stored));
}

void TestUsers::everyRefusedCharacterIsRefused()
{
    Install install;
    const QString refused = QStringLiteral("~`!@#$%^&*()_-+=|\\{[}]:;\"'<,>.?/");
    QCOMPARE(refused.size(), 32);
    for (const QChar c : refused) {
        MsgScript::pushAnswer("OK");
        QCOMPARE(install.accounts().add(QStringLiteral("ab") + c, "", ""), Add::RefusedCharacter);
        QCOMPARE(checkUserName(QString(c)), NameProblem::RefusedCharacter);
    }
    QCOMPARE(install.accounts().count(), 0);
    // Full-width forms and other scripts are ordinary characters.
    QCOMPARE(checkUserName(QStringLiteral("小明（一）")), NameProblem::None);
    QCOMPARE(checkUserName(QStringLiteral("Анна")), NameProblem::None);
}

void TestUsers::duplicateNamesAreRefused()
{
    Install install;
    install.addUser("Tom", "1");
    for (const QString& again : {QStringLiteral("Tom"), QStringLiteral("  Tom "), QStringLiteral("tom")}) {
        MsgScript::pushAnswer("OK");
        QCOMPARE(install.accounts().add(again, "2", "2"), Add::Duplicate);
        QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|已经有同名的用户了，请选另一个用户名！"));
    }
    QCOMPARE(install.accounts().names(), QStringList{"Tom"});
    QCOMPARE(install.pw("Tom"), Code_Of("Tom1"));
}

void TestUsers::passwordsMustMatchAndEmptyIsAsked()
{
    Install install;
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().add("Ann", "abc", "abd"), Add::PasswordsDiffer);
    QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|两次输入的密码不一样，请重新输入！"));

    MsgScript::pushAnswer("No");
    QCOMPARE(install.accounts().add("Ann", "", ""), Add::EmptyPasswordRefused);
    QCOMPARE(lastMessage(), QStringLiteral("错误|2|2|您输入的密码为空，真的要使用空密码吗?"));
    QCOMPARE(install.accounts().count(), 0);
    QVERIFY(!QFileInfo::exists(install.root + "user/Ann"));

    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().add("Ann", "", ""), Add::Added);
    QCOMPARE(install.pw("Ann"), asciiCode("Ann"));
    QCOMPARE(MsgScript::pending(), 0);
}

void TestUsers::storedPasswordCodesAreBitExact()
{
    Install install;
    install.addUser("abc", "pass word");
    QCOMPARE(install.pw("abc"), asciiCode("abcpass word"));
    // Code of "用户甲" & "密码123", as earlier installations stored it.
    install.addUser("用户甲", "密码123");
    QCOMPARE(install.pw("用户甲"), QStringLiteral("72ff9128ad3d56749efb7395c9c0a074"));

    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(UserAccounts::LoginMode::Automatic, "用户甲", "密码123"),
             UserAccounts::ModeResult::Applied);
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("用户甲"));
    QCOMPARE(install.setting("Auto_Login_PassWord"), Code_Of(QStringLiteral("用户甲72ff9128ad3d56749efb7395c9c0a074")));
    MsgScript::pushAnswer("OK");
    install.accounts().setLoginMode(UserAccounts::LoginMode::Automatic, "abc", "pass word");
    QCOMPARE(install.setting("Auto_Login_PassWord"), asciiCode("abc" + asciiCode("abcpass word")));
}

void TestUsers::oldFolderGetsFreshDatabase()
{
    Install install;
    install.addUser("Lee", "x");
    const QString stats = install.root + "user/Lee/mistakes.db";
    {
        Database db;
        QVERIFY(db.open(userDbPath(install.root, "Lee"), Database::Mode::ReadWrite));
        db.exec("insert into testlog (type, s, t, c, r) values ('0', 1, 2, 'c', 'r')");
    }
    test::writeFile(stats, "counts");
    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove("Lee", "x", ""), UserAccounts::DeleteResult::Deleted);
    QVERIFY(QFileInfo(install.root + "user/Lee").isDir());
    QVERIFY(!QFileInfo::exists(userDbPath(install.root, "Lee")));
    QVERIFY(!QFileInfo::exists(stats)); // the mistake statistics go with the user

    // Again with the database still there: it is replaced by an empty one.
    test::writeFile(install.root + "user/Lee/notes.txt", "kept");
    install.addUser("Lee", "y");
    {
        Database db;
        QVERIFY(db.open(userDbPath(install.root, "Lee"), Database::Mode::ReadWrite));
        db.exec("insert into testlog (type, s, t, c, r) values ('0', 1, 2, 'c', 'r')");
    }
    test::writeFile(stats, "old counts");
    App().Conn_Main.exec("delete from [user]");
    install.addUser("Lee", "z");
    // Statistics of the one before are kept aside, not continued.
    QVERIFY(!QFileInfo::exists(stats));
    QCOMPARE(QDir(install.root + "user/Lee").entryList({"mistakes.db.2*"}).size(), 1);
    Database db;
    QVERIFY(db.open(userDbPath(install.root, "Lee"), Database::Mode::ReadWrite));
    QCOMPARE(db.scalar("select count(*) from testlog")->toInt(), 0);
    QVERIFY(db.hasTable("text_") && db.hasTable("test_no") && db.hasTable("set_"));
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
}

void TestUsers::unusableUserFolderAddsNothing()
{
    Install install;
    // A file where the user folder would go cannot be replaced by a folder,
    // also for the super-user.
    QVERIFY(test::writeFile(install.root + "user/Bob", "in the way"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().add("Bob", "1", "1"), Add::Failed);
    const MsgRequest shown = MsgScript::shown().last();
    QCOMPARE(shown.title, QStringLiteral("错误"));
    QCOMPARE(shown.icon, 0);
    QVERIFY(shown.text.contains("Bob"));
    QCOMPARE(install.accounts().count(), 0);

    // The same with "user" itself in the way: nothing is left behind.
    QDir(install.root + "user").removeRecursively();
    QVERIFY(test::writeFile(install.root + "user", "in the way"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().add("Bob", "1", "1"), Add::Failed);
    QCOMPARE(install.accounts().count(), 0);
    QVERIFY(QFileInfo(install.root + "user").isFile());
}

void TestUsers::recencyOrderAndRenumbering()
{
    Install install;
    install.addUser("A", "a");
    install.addUser("B", "b");
    install.addUser("C", "c");
    QCOMPARE(install.usersByRecency(), (QStringList{"A:0", "B:1", "C:2"}));

    QCOMPARE(logIn("C", "c", false), LoginResult::LoggedIn);
    QCOMPARE(install.usersByRecency(), (QStringList{"C:0", "A:1", "B:2"}));
    QCOMPARE(install.accounts().names(), (QStringList{"C", "A", "B"}));
    QCOMPARE(logIn("B", "b", false), LoginResult::LoggedIn);
    QCOMPARE(install.usersByRecency(), (QStringList{"B:0", "A:1", "C:2"}));

    // Deleting the second leaves 0 and 1; a new user goes last.
    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove("A", "a", "B"), UserAccounts::DeleteResult::Deleted);
    QCOMPARE(install.usersByRecency(), (QStringList{"B:0", "C:1"}));
    install.addUser("D", "d");
    QCOMPARE(install.usersByRecency(), (QStringList{"B:0", "C:1", "D:2"}));
}

void TestUsers::changePassword()
{
    Install install;
    using R = UserAccounts::ChangeResult;
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().changePassword("", "", "1", "1"), R::NoUsers);
    QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|对不起，用户列表为空，请先添加用户！"));

    install.addUser("Eve", "old");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().changePassword("Eve", "wrong", "new", "new"), R::WrongOldPassword);
    QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|对不起，您输入的旧密码错误！"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().changePassword("Eve", "old", "new", "neu"), R::PasswordsDiffer);
    QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|两次输入的密码不一样，请重新输入！"));
    MsgScript::pushAnswer("No");
    QCOMPARE(install.accounts().changePassword("Eve", "old", "", ""), R::EmptyPasswordRefused);
    QCOMPARE(lastMessage(), QStringLiteral("请确认|2|2|您输入的密码为空，真的要使用空密码吗?"));
    QCOMPARE(install.pw("Eve"), Code_Of("Eveold"));

    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().changePassword("Eve", "old", "new", "new"), R::Changed);
    QCOMPARE(lastMessage(), QStringLiteral("操作成功|1|0|用户 Eve 的密码修改成功！"));
    QCOMPARE(install.pw("Eve"), Code_Of("Evenew"));
    QVERIFY(!install.accounts().passwordMatches("Eve", "old"));
    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().changePassword("Eve", "new", "", ""), R::Changed);
    QVERIFY(install.accounts().passwordMatches("Eve", ""));
}

void TestUsers::deleteUser()
{
    Install install;
    using R = UserAccounts::DeleteResult;
    install.addUser("Kim", "k");
    install.addUser("Max", "m");

    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove("Kim", "k", "Kim"), R::LoggedIn);
    QCOMPARE(lastMessage(), QStringLiteral("提示|1|0|    对不起，此用户当前正在登录状态。\r\n"
                                           "如果您想要删除此用户的话，请在登录窗口中调用删除功能。"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove("Kim", "m", ""), R::WrongPassword);
    QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|对不起，您输入的密码错误！"));
    MsgScript::pushAnswer("No");
    QCOMPARE(install.accounts().remove("Kim", "k", "Max"), R::NotConfirmed);
    QCOMPARE(lastMessage(), QStringLiteral("请确认|2|2|真的要删除用户：Kim 吗?"));
    QCOMPARE(install.accounts().count(), 2);
    QVERIFY(QFileInfo::exists(userDbPath(install.root, "Kim")));

    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove("Kim", "k", "Max"), R::Deleted);
    QCOMPARE(lastMessage(), QStringLiteral("操作成功|1|0|用户 Kim 已成功删除！"));
    QCOMPARE(install.accounts().names(), QStringList{"Max"});
    QVERIFY(!QFileInfo::exists(userDbPath(install.root, "Kim")));
    QVERIFY(QFileInfo(install.root + "user/Kim").isDir());
    QCOMPARE(QDir(install.root + "user/Kim").entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});

    // A database removed by hand does not stop the user's deletion.
    QFile::remove(userDbPath(install.root, "Max"));
    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove("Max", "m", ""), R::Deleted);
    QCOMPARE(install.accounts().count(), 0);
}

void TestUsers::deleteThatCannotRemoveTheFileChangesNothing()
{
    Install install;
    install.addUser("Pat", "p");
    install.addUser("Sam", "s");
    // A non-empty folder where the file is moved aside blocks the removal.
    QVERIFY(test::writeFile(userDbPath(install.root, "Pat") + ".deleted/x", "x"));
    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove("Pat", "p", ""), UserAccounts::DeleteResult::Failed);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QCOMPARE(install.usersByRecency(), (QStringList{"Pat:0", "Sam:1"}));
    QVERIFY(QFileInfo::exists(userDbPath(install.root, "Pat")));
}

void TestUsers::loginMode()
{
    Install install;
    using M = UserAccounts::LoginMode;
    using R = UserAccounts::ModeResult;
    install.addUser("Zed", "z");
    install.addUser("Nil", "");

    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::None, "Zed", "z"), R::NoModeChosen);
    QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|请选择登录模式！"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::Automatic, "Zed", ""), R::EmptyPassword);
    QCOMPARE(lastMessage(), QStringLiteral("错误|0|0|请输入密码！"));
    // A user without a password cannot log in automatically.
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::Automatic, "Nil", ""), R::EmptyPassword);
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::Automatic, "Zed", "q"), R::WrongPassword);
    QCOMPARE(lastMessage(), QStringLiteral("密码错误|0|0|您输入的密码错误！"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));

    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::Automatic, "Zed", "z"), R::Applied);
    QCOMPARE(lastMessage(), QStringLiteral("操作成功|1|0|自动登录设置成功！"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("Zed"));
    const QString code = install.setting("Auto_Login_PassWord");
    QCOMPARE(code, asciiCode("Zed" + asciiCode("Zedz")));

    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().setLoginMode(M::Manual, "Zed", ""), R::Applied);
    QCOMPARE(lastMessage(), QStringLiteral("操作成功|1|0|自动登录设置成功！"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QCOMPARE(install.setting("Auto_Login_PassWord"), code);
}

void TestUsers::loginChecksPasswordAndRemembers()
{
    Install install;
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn("", "", false), LoginResult::NoUsers);
    QCOMPARE(lastMessage(), QStringLiteral("提示|1|0|当前用户列表为空，请单击右边的添加用户按钮添加本地用户！"));

    install.addUser("Joe", "j");
    install.addUser("李雷", "韩梅梅");
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn("李雷", "j", true), LoginResult::WrongPassword);
    QCOMPARE(lastMessage(), QStringLiteral("密码错误|0|0|您输入的密码错误！"));
    QCOMPARE(install.usersByRecency(), (QStringList{"Joe:0", "李雷:1"}));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QCOMPARE(App().User_Name, QString());
    QVERIFY(!App().Conn_User.isOpen());

    FirstWindow first = FirstWindow::Game;
    QCOMPARE(logIn("李雷", "韩梅梅", true, &first), LoginResult::LoggedIn);
    QCOMPARE(first, FirstWindow::Practice);
    QCOMPARE(App().User_Name, QStringLiteral("李雷"));
    QCOMPARE(App().Conn_User.path(), userDbPath(install.root, "李雷"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("李雷"));
    const QString remembered = install.setting("Auto_Login_PassWord");
    QCOMPARE(remembered, Code_Of("李雷" + install.pw("李雷")));

    // Without the tick the name is forgotten, the code is left as it was.
    QCOMPARE(logIn("Joe", "j", false), LoginResult::LoggedIn);
    QCOMPARE(App().Conn_User.path(), userDbPath(install.root, "Joe"));
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QCOMPARE(install.setting("Auto_Login_PassWord"), remembered);
    QCOMPARE(MsgScript::pending(), 0);
}

void TestUsers::loginRecreatesMissingDatabase()
{
    Install install;
    install.addUser("Ida", "i");
    QDir(install.root + "user").removeRecursively();
    MsgScript::clear();
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn("Ida", "i", false), LoginResult::LoggedIn);
    QCOMPARE(MsgScript::shown().size(), 1);
    QCOMPARE(lastMessage(), QStringLiteral("提示|1|0|用户配置文件不存在，将采用默认配置。"));
    QVERIFY(QFileInfo::exists(userDbPath(install.root, "Ida")));
    QCOMPARE(Settings(App().Conn_User).raw("Last_Test_Mode"), std::optional<QString>("0"));

    // The next login finds it and says nothing.
    MsgScript::clear();
    QCOMPARE(logIn("Ida", "i", false), LoginResult::LoggedIn);
    QCOMPARE(MsgScript::shown().size(), 0);
}

void TestUsers::loginRepairsTestMode_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("game");
    QTest::addRow("main") << "0"
                          << "0" << false;
    QTest::addRow("game") << "1"
                          << "1" << true;
    QTest::addRow("2 passes, no window of its own") << "2"
                                                    << "2" << false;
    QTest::addRow("7") << "7"
                       << "0" << false;
    QTest::addRow("-1") << "-1"
                        << "0" << false;
}

void TestUsers::loginRepairsTestMode()
{
    QFETCH(QString, stored);
    QFETCH(QString, after);
    QFETCH(bool, game);
    Install install;
    install.addUser("Ron", "r");
    {
        Database db;
        QVERIFY(db.open(userDbPath(install.root, "Ron"), Database::Mode::ReadWrite));
        Settings(db).insert("Last_Test_Mode", stored);
    }
    FirstWindow first;
    QCOMPARE(logIn("Ron", "r", false, &first), LoginResult::LoggedIn);
    QCOMPARE(first == FirstWindow::Game, game);
    QCOMPARE(Settings(App().Conn_User).raw("Last_Test_Mode"), std::optional<QString>(after));
}

void TestUsers::loginOpensPhraseDatabase()
{
    Install install;
    install.addUser("Uma", "u");
    // No phrase list shipped: the user still gets in, without phrases.
    App().Share_Path = install.root + "share/";
    QCOMPARE(logIn("Uma", "u", false), LoginResult::LoggedIn);
    QVERIFY(!App().Conn_Phrase.isOpen());
    {
        QDir().mkpath(App().Share_Path);
        Database p;
        QVERIFY(p.open(App().Share_Path + "p.dat", Database::Mode::ReadWrite));
        p.exec("create table v2 (ID integer primary key, Phrase text, py text)");
    }
    QCOMPARE(logIn("Uma", "u", false), LoginResult::LoggedIn);
    QVERIFY(App().Conn_Phrase.isOpen());
    QCOMPARE(App().Conn_Phrase.path(), App().Share_Path + "p.dat");
    // Read-only: writing fails as an engine error.
    QVERIFY_THROWS_EXCEPTION(DatabaseFailure, App().Conn_Phrase.exec("insert into v2 (Phrase, py) values ('a', 'b')"));
}

void TestUsers::loginWithUnusableFolderOpensNothing()
{
    Install install;
    install.addUser("Vic", "v");
    QDir(install.root + "user/Vic").removeRecursively();
    QVERIFY(test::writeFile(install.root + "user/Vic", "in the way"));
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn("Vic", "v", true), LoginResult::DataFailed);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QCOMPARE(App().User_Name, QString());
    QVERIFY(!App().Conn_User.isOpen());
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
    QVERIFY(QFileInfo(install.root + "user/Vic").isFile());
}

void TestUsers::loginWithUnwritableDatabaseOpensNothing_data()
{
    QTest::addColumn<QString>("locked"); // made read-only, below the user folder
    QTest::addRow("database file") << "d.at";
    QTest::addRow("user folder") << "";
}

void TestUsers::loginWithUnwritableDatabaseOpensNothing()
{
    QFETCH(QString, locked);
    Install install;
    install.addUser("Wu", "w");
    test::ReadOnly readOnly(install.root + "user/Wu/" + locked);
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn("Wu", "w", true), LoginResult::DataFailed);
    const MsgRequest shown = MsgScript::shown().last();
    QCOMPARE(shown.title, QStringLiteral("错误"));
    QVERIFY(shown.text.contains(QDir::toNativeSeparators(userDbPath(install.root, "Wu"))));
    QCOMPARE(App().User_Name, QString());
    QVERIFY(!App().Conn_User.isOpen());
    QCOMPARE(install.setting("Auto_Login_Name"), QStringLiteral("<null>"));
}

void TestUsers::storedNamesThatAreNoFolderNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("parent folder") << "../pwned";
    QTest::addRow("through a user folder") << "x/../../pwned";
    QTest::addRow("invisible") << QStringLiteral("\u200B");
}

void TestUsers::storedNamesThatAreNoFolderNamesAreRefused()
{
    QFETCH(QString, name);
    // Names written into the application database by another program.
    Install install;
    QVERIFY(QDir().mkpath(install.root + "user/x"));
    App().Conn_Main.exec("insert into [user] (Un, Pw, I) values (?, ?, 0)", {name, Code_Of(name + "p")});
    MsgScript::pushAnswer("OK");
    QCOMPARE(logIn(name, "p", true), LoginResult::DataFailed);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QVERIFY(MsgScript::shown().last().text.contains(name));
    QVERIFY(!App().Conn_User.isOpen());
    QVERIFY(!QFileInfo::exists(install.root + "pwned"));

    // Deleting such a user removes the row and touches no file.
    QVERIFY(test::writeFile(install.root + "pwned/d.at", "somebody else's file"));
    MsgScript::pushAnswer("Yes");
    MsgScript::pushAnswer("OK");
    QCOMPARE(install.accounts().remove(name, "p", ""), UserAccounts::DeleteResult::Deleted);
    QCOMPARE(install.accounts().count(), 0);
    QCOMPARE(QDir(install.root + "pwned").entryList(QDir::Files), QStringList{"d.at"});
}

QTEST_GUILESS_MAIN(TestUsers)
#include "tst_users.moc"
