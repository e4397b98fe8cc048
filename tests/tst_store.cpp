#include "app/AppState.h"
#include "app/Msg.h"
#include "app/ui/Application.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "wubi/PhraseLookup.h"

#include "RunsFixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QtTest>

using namespace tesmara;

namespace {

QStringList columnsOf(Database& db, const QString& table)
{
    QStringList names;
    QSqlQuery q = db.exec(QStringLiteral("select * from %1 limit 0").arg(table));
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        names << rec.fieldName(i);
    }
    return names;
}

// Child mode: the program's application object with its databases open
// meets an engine error in the middle of its event loop.
int fatalErrorChild(int argc, char* argv[], const QString& folder)
{
    Application app(argc, argv);
    MsgScript::pushAnswer(QStringLiteral("OK")); // the error notice
    AppState& state = App();
    state.App_Path = folder;
    {
        Database phrases;
        phrases.open(folder + QStringLiteral("p.dat"), Database::Mode::ReadWrite);
        for (int n = 2; n <= 5; ++n) {
            phrases.exec(QStringLiteral("create table v%1 (Phrase text, py text)").arg(n));
        }
    }
    if (!state.Conn_Main.open(folder + QStringLiteral("d.at"), Database::Mode::ReadWrite) ||
        !state.Conn_User.open(folder + QStringLiteral("u.at"), Database::Mode::ReadWrite) ||
        !state.Conn_Phrase.open(folder + QStringLiteral("p.dat"), Database::Mode::ReadOnly)) {
        return 2;
    }
    createUserTables(state.Conn_User);
    Find_Phrase(QStringLiteral("中国")); // leaves a prepared statement behind
    QTimer::singleShot(0, [] {
        App().Conn_User.transaction([] {
            App().Conn_User.exec(QStringLiteral("insert into testlog (type, s, t, c, r) values ('0', 1, 1, 'c', 'r')"));
            App().Conn_User.exec(QStringLiteral("insert into no_such_table values (1)"));
            return true;
        });
        std::printf("went on after the error\n");
    });
    return app.exec();
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void databasesAreMadeWhereTheyBelongWithTheirColumns();
    void settingsAddMissingRowsWithDefaults();
    void settingsRepairOutOfRangeValues_data();
    void settingsRepairOutOfRangeValues();
    void engineErrorEndsTheProgramWithItsStatus();
};

void TestStore::databasesAreMadeWhereTheyBelongWithTheirColumns()
{
    test::ProgramFolder folder;
    // A user's database is not made without the user's folder.
    QString error;
    QVERIFY(!Create_User_Db(folder.path(), QStringLiteral("张三"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(userDbPath(folder.path(), QStringLiteral("张三"))));
    // Nor is a file opened only for reading. (A file that is no database is
    // refused and kept in the start-up test.)
    Database missing;
    error.clear();
    QVERIFY(!missing.open(folder.path() + "p.dat", Database::Mode::ReadOnly, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!missing.isOpen());
    QVERIFY(!QFile::exists(folder.path() + "p.dat"));
    QVERIFY(QDir().mkpath(folder.path() + "user/张三"));
    QVERIFY(Create_User_Db(folder.path(), QStringLiteral("张三")));
    Database db;
    QVERIFY(db.open(userDbPath(folder.path(), QStringLiteral("张三")), Database::Mode::ReadWrite));
    QCOMPARE(columnsOf(db, "set_"), QStringList({"ID", "Name_", "Value_"}));
    QCOMPARE(columnsOf(db, "test_no"), QStringList({"ID", "N", "No_"}));
    QCOMPARE(columnsOf(db, "testlog"), QStringList({"ID", "type", "s", "t", "c", "r"}));
    QCOMPARE(columnsOf(db, "text_"), QStringList({"ID", "N", "T", "C", "No_"}));
    // No column of a user database takes null; the failure names the file.
    try {
        db.exec("insert into set_ (Name_, Value_) values ('x', null)");
        QFAIL("a null was stored");
    } catch (const DatabaseFailure& failure) {
        QCOMPARE(failure.path, db.path());
        QVERIFY(failure.message.contains("NOT NULL"));
    }
    QVERIFY(!QFile::exists(userDbPath(folder.path(), QStringLiteral("张三")) + ".new"));

    // The program database's settings take nulls.
    Database app;
    QVERIFY(app.open(folder.path() + "d.at", Database::Mode::ReadWrite));
    createAppTables(app);
    QCOMPARE(columnsOf(app, "set_"), QStringList({"ID", "Name_", "Value_"}));
    QCOMPARE(columnsOf(app, "[user]"), QStringList({"ID", "Un", "Pw", "I"}));
    Settings settings(app);
    QCOMPARE(settings.value("Auto_Login_Name"), std::nullopt);
    QVERIFY(app.hasRow("select ID from set_ where Name_ = 'Auto_Login_Name' and Value_ is null"));
    settings.setValue("Auto_Login_Name", "李四");
    settings.clear("Auto_Login_Name");
    QCOMPARE(settings.raw("Auto_Login_Name"), std::optional<std::optional<QString>>(std::optional<QString>()));
}

void TestStore::settingsAddMissingRowsWithDefaults()
{
    test::UserFolder user;
    Database& db = user.db();
    Settings settings(db, user.path());
    // The other defaults are what the repairs below and the main window's
    // first start show.
    const QList<QPair<QString, QString>> expected = {
        {"Text_Wrong_Show", "1"},           {"Sound_Wrong", "1"},          {"Mouse_Test_Lase_BackPic", "2"},
        {"Mouse_Test_Lase_Speed", "2"},     {"Mouse_Test_Lase_Test", "2"}, {"Game1_Last_Test", "0"},
        {"Last_OpenTxt_Path", user.path()},
    };
    for (const auto& [key, def] : expected) {
        QCOMPARE(settings.text(key), def);
        // Read again: the row now exists exactly once.
        QCOMPARE(settings.text(key), def);
        QCOMPARE(db.scalar("select count(*) from set_ where Name_ = ?", {key})->toInt(), 1);
    }
}

void TestStore::settingsRepairOutOfRangeValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* key, const char* stored, const char* expected) {
        QTest::addRow("%s", name) << QString::fromUtf8(key) << QString::fromUtf8(stored) << QString::fromUtf8(expected);
    };
    row("mode 7", "Last_Test_Mode", "7", "0");
    row("mode -1", "Last_Test_Mode", "-1", "0");
    row("time letters", "Last_Test_Time", "ab", "10");
    row("time empty", "Last_Test_Time", "", "10");
    row("flag 2", "Sound_Key", "2", "0");
    row("flag 1 stays", "Sound_Wrong", "1", "1");
    row("game speed letters", "Game1_Speed", "3x", "3");
    row("game sound 3", "Game1_Sound", "3", "0");
}

void TestStore::settingsRepairOutOfRangeValues()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    test::UserFolder user;
    Database& db = user.db();
    db.exec("insert into set_ (Name_, Value_) values (?, ?)", {key, stored});
    Settings settings(db, user.path());
    QTEST(settings.text(key), "expected");
    // The repair is written back.
    QTEST(db.scalar("select Value_ from set_ where Name_ = ?", {key})->toString(), "expected");
}

void TestStore::engineErrorEndsTheProgramWithItsStatus()
{
    test::ProgramFolder folder;
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--fatal", folder.path()});
    QVERIFY(child.waitForFinished(60000));
    // The notice was shown, the connections closed, and the process ended
    // through its application object with the promised status: no crash,
    // and nothing ran on after the failed statement.
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 3);
    QVERIFY(!child.readAllStandardOutput().contains("went on"));
    Database db;
    QVERIFY(db.open(folder.path() + "u.at", Database::Mode::ReadWrite));
    QCOMPARE(db.scalar("select count(*) from testlog")->toInt(), 0);
    QVERIFY(!QFile::exists(folder.path() + "u.at-journal"));
}

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--fatal") == 0) {
        return fatalErrorChild(argc, argv, QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestStore tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_store.moc"
