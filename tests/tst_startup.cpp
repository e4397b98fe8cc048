#include "app/AppState.h"
#include "app/Format.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "store/RecordCode.h"
#include "store/Settings.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSqlQuery>
#include <QtTest>

#include <memory>
#include <optional>

using namespace tesmara;

namespace {

// What one start did.
struct Recorder {
    StartupOutcome outcome = StartupOutcome::Fatal;
    QStringList started; // "program|args|hidden"
    QStringList notices; // "title|text"
    int logins = 0;
    int autoLogins = 0;

    StartupServices services()
    {
        StartupServices s;
        s.systemNotice = [this](const QString& title, const QString& text) { notices << title + "|" + text; };
        s.startProgram = [this](const QString& program, const QStringList& args, const QString&, bool hidden) {
            started << QStringLiteral("%1|%2|%3").arg(QFileInfo(program).fileName(), args.join(' ')).arg(hidden);
            return true;
        };
        s.processEvents = [] {};
        s.autoLogin = [this] { ++autoLogins; };
        s.showLogin = [this] { ++logins; };
        return s;
    }
};

Recorder runIn(const QString& path)
{
    App().reset();
    Recorder rec;
    Startup startup({path, path}, rec.services());
    rec.outcome = startup.run();
    return rec;
}

// The stored setting, "<missing>" without its row (or database), "<null>" when null.
QString setting(const QString& dbPath, const QString& key)
{
    Database db;
    const auto v = db.open(dbPath, Database::Mode::ReadWrite) ? Settings(db).raw(key) : std::nullopt;
    return !v ? QStringLiteral("<missing>") : !*v ? QStringLiteral("<null>") : **v;
}

void setSetting(const QString& dbPath, const QString& key, const QString& value)
{
    Database db;
    QVERIFY(db.open(dbPath, Database::Mode::ReadWrite));
    Settings(db).setValue(key, value);
}

// Writes update/<name> and returns its digest.
QString writeUpdateFile(const QString& root, const QString& name, const QByteArray& bytes)
{
    test::writeFile(root + "update/" + name, bytes);
    return File_Digest(root + "update/" + name);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstRunMakesTheDatabaseLaterRunsUpdateAndLogIn();
    void unusableFolderOrDatabaseIsToldAndKept_data();
    void unusableFolderOrDatabaseIsToldAndKept();
    void unusableUpdatesAreDropped_data();
    void unusableUpdatesAreDropped();
    void pendingUpdate_data();
    void pendingUpdate();
    void readOnlyProgramFolderUsesDataFolder();
    void pad2AndNumbers();
};

void TestStartup::firstRunMakesTheDatabaseLaterRunsUpdateAndLogIn()
{
    test::ProgramFolder folder;
    const Recorder rec = runIn(folder.path());
    QCOMPARE(rec.outcome, StartupOutcome::LoginWindow);
    QCOMPARE(rec.logins, 1);
    QVERIFY(rec.started.isEmpty()); // the updater is not started on the very first run
    {
        Database db;
        QVERIFY(db.open(folder.path() + "d.at", Database::Mode::ReadWrite));
        QSqlQuery q = db.exec("select Name_, Value_ from set_ order by ID");
        QStringList rows;
        while (q.next()) {
            rows << q.value(0).toString() + "=" + (q.value(1).isNull() ? "<null>" : q.value(1).toString());
        }
        QCOMPARE(rows, QStringList({"Ver=7.05", "Update_=0", "Auto_Update=1", "Auto_Login_PassWord=<null>",
                                    "Auto_Login_Name=<null>"}));
        QCOMPARE(db.scalar("select count(*) from [user]")->toInt(), 0);
    }
    QVERIFY(!QDir(folder.path() + "update").exists());
    QVERIFY(!QFile::exists(folder.path() + "d.at.new"));

    const QString dbPath = folder.path() + "d.at";
    setSetting(dbPath, "Ver", "6.90");
    // A downloaded updater is copied into the program folder and started.
    QVERIFY(test::writeFile(folder.path() + "update/Update.exe", "updater"));
    const Recorder second = runIn(folder.path());
    QCOMPARE(second.outcome, StartupOutcome::LoginWindow);
    QCOMPARE(setting(dbPath, "Ver"), QStringLiteral("7.05"));
    QVERIFY(QFile::exists(folder.path() + "Update.exe"));
    QCOMPARE(second.started, QStringList({"Update.exe|JV|0"}));

    setSetting(dbPath, "Auto_Update", "0");
    QVERIFY(runIn(folder.path()).started.isEmpty());
    // The one in the program folder is started by itself.
    setSetting(dbPath, "Auto_Update", "1");
    QVERIFY(QFile::remove(folder.path() + "update/Update.exe"));
    QCOMPARE(runIn(folder.path()).started, QStringList({"Update.exe|JV|0"}));

    // A remembered user is logged in at once.
    const QString pw = Code_Of(QStringLiteral("王五secret"));
    {
        Database db;
        QVERIFY(db.open(dbPath, Database::Mode::ReadWrite));
        db.exec("insert into [user] (Un, Pw, I) values (?, ?, 0)", {QStringLiteral("王五"), pw});
    }
    setSetting(dbPath, "Auto_Login_Name", QStringLiteral("王五"));
    setSetting(dbPath, "Auto_Login_PassWord", Code_Of(QStringLiteral("王五") + pw));
    const Recorder ok = runIn(folder.path());
    QCOMPARE(ok.outcome, StartupOutcome::AutoLogin);
    QCOMPARE(ok.autoLogins, 1);
    QCOMPARE(App().User_Name, QStringLiteral("王五"));

    // The password changed since: the stored value no longer matches.
    setSetting(dbPath, "Auto_Login_PassWord", Code_Of(QStringLiteral("王五") + Code_Of("王五old")));
    QCOMPARE(runIn(folder.path()).outcome, StartupOutcome::LoginWindow);
    QCOMPARE(setting(dbPath, "Auto_Login_Name"), QStringLiteral("<null>"));

    // A deleted user is forgotten too.
    setSetting(dbPath, "Auto_Login_Name", QStringLiteral("赵六"));
    const Recorder deleted = runIn(folder.path());
    QCOMPARE(deleted.outcome, StartupOutcome::LoginWindow);
    QCOMPARE(setting(dbPath, "Auto_Login_Name"), QStringLiteral("<null>"));
    QCOMPARE(deleted.autoLogins, 0);
}

void TestStartup::unusableFolderOrDatabaseIsToldAndKept_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("notice"); // title of the system notice; "" for none, "dialog" for a message
    QTest::addRow("live lock: already running")
        << "live lock" << int(StartupOutcome::SecondInstance) << QStringLiteral("程序已在运行");
    // A crashed copy of another account left its lock file, which this
    // account may read but not write: it is taken over.
    QTest::addRow("stale lock of another account") << "stale lock" << int(StartupOutcome::LoginWindow) << QString();
    QTest::addRow("folder cannot be made") << "no folder" << int(StartupOutcome::Fatal) << QStringLiteral("无法启动");
    QTest::addRow("not a database") << "notes" << int(StartupOutcome::Fatal) << "dialog";
    // These open for reading only, which would go unnoticed until the first
    // setting is written.
    QTest::addRow("read-only database") << "d.at" << int(StartupOutcome::Fatal) << "dialog";
    QTest::addRow("read-only folder") << "" << int(StartupOutcome::Fatal) << "dialog";
}

void TestStartup::unusableFolderOrDatabaseIsToldAndKept()
{
    QFETCH(QString, setup);
    QFETCH(int, outcome);
    QFETCH(QString, notice);
    test::ProgramFolder folder;
    QString root = folder.path();
    QLockFile live(root + "tesmara.lock");
    std::optional<test::ReadOnly> readOnly;
    if (setup == "live lock") {
        QVERIFY(live.tryLock(0));
    } else if (setup == "stale lock") {
        const QString content = "999999\ntesmara\n" + QSysInfo::machineHostName() + "\n";
        QVERIFY(test::writeFile(root + "tesmara.lock", content.toUtf8()));
        QVERIFY(QFile::setPermissions(root + "tesmara.lock", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (setup == "no folder") {
        QVERIFY(test::writeFile(root + "in-the-way", "a file, not a folder"));
        root += "in-the-way/tesmara/";
    } else if (setup == "notes") {
        QVERIFY(test::writeFile(root + "d.at", "this is not a database file, but somebody's notes\r\n"));
    } else {
        QCOMPARE(runIn(root).outcome, StartupOutcome::LoginWindow);
        readOnly.emplace(root + setup);
    }
    auto contents = [&] {
        QFile f(root + "d.at");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = contents();
    test::PermissionsApply permissions;
    if (notice == "dialog") {
        MsgScript::pushAnswer("OK");
    }
    const Recorder rec = runIn(root);
    QCOMPARE(int(rec.outcome), outcome);
    QCOMPARE(rec.logins, outcome == int(StartupOutcome::LoginWindow) ? 1 : 0);
    QCOMPARE(rec.notices.size(), notice.isEmpty() || notice == "dialog" ? 0 : 1);
    if (notice == "dialog") {
        // The program's own message names the file, which is left as it was.
        QCOMPARE(MsgScript::shown().size(), 1);
        QCOMPARE(MsgScript::shown().first().icon, 0);
        QVERIFY(MsgScript::shown().first().text.contains(QDir::toNativeSeparators(root + "d.at")));
        QCOMPARE(contents(), before);
    } else if (!notice.isEmpty()) {
        QVERIFY(rec.notices.first().startsWith(notice + "|"));
        QVERIFY(setup != "no folder" || rec.notices.first().contains(QDir::toNativeSeparators(root.chopped(1))));
        QVERIFY(!QFile::exists(root + "d.at"));
    }
}

void TestStartup::unusableUpdatesAreDropped_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<bool>("writeFiles");
    // Nothing pending: the stored value stays and the folder is never touched.
    QTest::addRow("Update_ 0") << QByteArray("<Update_=0>") << false;
    QTest::addRow("Update_ empty") << QByteArray("<Update_=>") << false;
    QTest::addRow("no list") << QByteArray() << false;
    QTest::addRow("only line 1") << QByteArray("header\r\n") << true;
    QTest::addRow("count without =") << QByteArray("h\r\nfiles 1\r\na.bin=DIGEST_A\r\n") << true;
    QTest::addRow("count 0") << QByteArray("h\r\nfiles=0\r\n") << true;
    QTest::addRow("count not a number") << QByteArray("h\r\nfiles=two\r\n") << true;
    QTest::addRow("fewer entries than count")
        << QByteArray("h\r\nfiles=3\r\na.bin=DIGEST_A\r\nb.bin=DIGEST_B\r\n") << true;
    QTest::addRow("entry without =") << QByteArray("h\r\nfiles=2\r\na.bin DIGEST_A\r\nb.bin=DIGEST_B\r\n") << true;
    QTest::addRow("entry with two =") << QByteArray("h\r\nfiles=2\r\na.bin=DIGEST_A=x\r\nb.bin=DIGEST_B\r\n") << true;
    QTest::addRow("missing file") << QByteArray("h\r\nfiles=2\r\na.bin=DIGEST_A\r\nc.bin=DIGEST_B\r\n") << true;
    QTest::addRow("digest mismatch") << QByteArray("h\r\nfiles=2\r\na.bin=DIGEST_B\r\nb.bin=DIGEST_B\r\n") << true;
    QTest::addRow("digest in lower case") << QByteArray("h\r\nfiles=2\r\na.bin=digest_a\r\nb.bin=DIGEST_B\r\n") << true;
    QTest::addRow("name in other case") << QByteArray("h\r\nfiles=2\r\nA.BIN=DIGEST_A\r\nb.bin=DIGEST_B\r\n") << true;
    // Never read: a pipe would block start-up, a device never run dry.
    QTest::addRow("list is a pipe") << QByteArray("<pipe>") << false;
    QTest::addRow("list is a device") << QByteArray("<device>") << false;
}

void TestStartup::unusableUpdatesAreDropped()
{
    QFETCH(QByteArray, list);
    QFETCH(bool, writeFiles);
    test::ProgramFolder folder;
    runIn(folder.path());
    const bool pending = !list.startsWith("<Update_=");
    const QString value = pending ? QStringLiteral("7.10") : QString::fromLatin1(list.mid(9).chopped(1));
    setSetting(folder.path() + "d.at", "Update_", value);
    const QString listPath = folder.path() + "update/update.d";
    std::unique_ptr<test::FifoWatch> fifo;
    if (list == "<pipe>") {
        fifo = std::make_unique<test::FifoWatch>(listPath);
        QVERIFY(fifo->isValid());
    } else if (list == "<device>") {
        QVERIFY(QDir().mkpath(folder.path() + "update") && QFile::link("/dev/zero", listPath));
    } else if (writeFiles) {
        const QString a = writeUpdateFile(folder.path(), "a.bin", "alpha");
        const QString b = writeUpdateFile(folder.path(), "b.bin", "beta");
        list.replace("DIGEST_A", a.toLatin1()).replace("DIGEST_B", b.toLatin1());
        list.replace("digest_a", a.toLower().toLatin1());
        QVERIFY(test::writeFile(listPath, list));
    }
    const Recorder second = runIn(folder.path());
    QCOMPARE(second.outcome, StartupOutcome::LoginWindow);
    QVERIFY(!fifo || !fifo->opened());
    QCOMPARE(setting(folder.path() + "d.at", "Update_"), pending ? QStringLiteral("0") : value);
    QVERIFY(MsgScript::shown().isEmpty());
    QCOMPARE(QDir(folder.path() + "update").exists(), pending);
    QVERIFY(!second.started.join(' ').contains("filecopy"));
}

void TestStartup::pendingUpdate_data()
{
    QTest::addColumn<QStringList>("entries"); // the list's files, each holding its own name
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("copier"); // the program folder has the copier
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("updateAfter"); // "" when not looked at
    QTest::addColumn<QString>("notice");      // title and start of the one message, if any
    const auto row = [](const char* name, QStringList entries, const char* lineEnd, const char* version, bool copier,
                        const char* answer, StartupOutcome outcome, const char* started, const char* updateAfter,
                        const QString& notice) {
        QTest::addRow("%s", name) << entries << QString::fromLatin1(lineEnd) << QString::fromLatin1(version) << copier
                                  << QString::fromLatin1(answer) << int(outcome) << QString::fromLatin1(started)
                                  << QString::fromLatin1(updateAfter) << notice;
    };
    const StartupOutcome login = StartupOutcome::LoginWindow;
    const StartupOutcome handed = StartupOutcome::HandedOver;
    const QString ask = QStringLiteral("自动更新|    新的 Tesmara%1 版 已经通过自动更新下载完成");
    // A list of the copier alone replaces it in place, whatever the version.
    row("copier alone", {"filecopy.exe"}, "\r\n", "7.20", true, "", login, "", "0", "");
    row("copier alone, other case", {"FileCopy.EXE"}, "\r\n", "7.20", true, "", login, "", "0", "");
    row("same version: repaired unasked", {"tesmara", "p.dat"}, "\r\n", "7.05", true, "", handed,
        "filecopy.exe|JV Hide|1", "", "");
    row("other version, No: kept pending", {"tesmara"}, "\r\n", "7.31", true, "No", login, "", "7.31", ask.arg("7.31"));
    row("other version, Yes", {"tesmara"}, "\n", "8.00", true, "Yes", handed, "filecopy.exe|JV|0", "", ask.arg("8.00"));
    // The companion programs do not exist on this platform: reported once,
    // put aside, and the program starts as usual.
    row("no copier", {"tesmara"}, "\r\n", "7.05", false, "OK", login, "", "0",
        QStringLiteral("错误|在线自动升级模块已损坏，请自行到 "));
}

void TestStartup::pendingUpdate()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, lineEnd);
    QFETCH(QString, version);
    QFETCH(bool, copier);
    QFETCH(QString, answer);
    QFETCH(int, outcome);
    QFETCH(QString, started);
    QFETCH(QString, updateAfter);
    QFETCH(QString, notice);
    test::ProgramFolder folder;
    runIn(folder.path());
    if (copier) {
        QVERIFY(test::writeFile(folder.path() + "filecopy.exe", "old copier"));
    }
    QString list = "v" + lineEnd + "n=" + QString::number(entries.size()) + lineEnd;
    for (const QString& name : entries) {
        list += name + "=" + writeUpdateFile(folder.path(), name, name.toUtf8()) + lineEnd;
    }
    QVERIFY(test::writeFile(folder.path() + "update/update.d", list.toLatin1()));
    setSetting(folder.path() + "d.at", "Update_", version);
    if (!answer.isEmpty()) {
        MsgScript::pushAnswer(answer);
    }
    const Recorder second = runIn(folder.path());
    QCOMPARE(int(second.outcome), outcome);
    QCOMPARE(second.started.join(' '), started);
    QCOMPARE(second.logins, outcome == int(StartupOutcome::LoginWindow) ? 1 : 0);
    if (!updateAfter.isEmpty()) {
        QCOMPARE(setting(folder.path() + "d.at", "Update_"), updateAfter);
    }
    QCOMPARE(MsgScript::shown().size(), notice.isEmpty() ? 0 : 1);
    if (!notice.isEmpty()) {
        const MsgRequest shown = MsgScript::shown().first();
        QVERIFY2((shown.title + "|" + shown.text).startsWith(notice), qPrintable(shown.text));
    }
    if (answer == "No") {
        QCOMPARE(MsgScript::shown().first().buttons, 2);
        QCOMPARE(MsgScript::shown().first().icon, 2);
        QVERIFY(MsgScript::shown().first().text.endsWith(QStringLiteral("\r\n\r\n是否马上进行版本更新?")));
    }
    if (entries.first().toLower() == "filecopy.exe") {
        QFile replaced(folder.path() + "filecopy.exe");
        QVERIFY(replaced.open(QIODevice::ReadOnly));
        QCOMPARE(replaced.readAll(), entries.first().toUtf8());
    }
    if (!copier) {
        // Put aside, never lost, and not reported again.
        QVERIFY(QFile::exists(folder.path() + "update/tesmara"));
        MsgScript::clear();
        QCOMPARE(runIn(folder.path()).outcome, StartupOutcome::LoginWindow);
        QVERIFY(MsgScript::shown().isEmpty());
    }
}

void TestStartup::readOnlyProgramFolderUsesDataFolder()
{
    if (::geteuid() == 0) {
        // root writes anywhere; the read-only case cannot be made here.
        QTemporaryDir data;
        const ProgramFolders f = resolveFolders("/proc/1", data.path());
        QCOMPARE(f.appPath, data.path() + "/");
        return;
    }
    QTemporaryDir program;
    QTemporaryDir data;
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
    const ProgramFolders f = resolveFolders(program.path(), data.path() + "/tesmara");
    QCOMPARE(f.appPath, data.path() + "/tesmara/");
    QCOMPARE(f.sharePath, program.path() + "/");
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestStartup::pad2AndNumbers()
{
    QCOMPARE(Pad2(0), QStringLiteral("00"));
    QCOMPARE(Pad2(5), QStringLiteral("05"));
    QCOMPARE(Pad2(59), QStringLiteral("59"));
    QCOMPARE(Pad2(-5), QStringLiteral("-5"));
    QCOMPARE(Pad2(-15), QStringLiteral("-15"));
    QCOMPARE(Pad2(100), QStringLiteral("100"));
    QCOMPARE(Shortest(0.25), QStringLiteral("0.25"));
    QCOMPARE(Shortest(12.5), QStringLiteral("12.5"));
    QCOMPARE(Shortest(60), QStringLiteral("60"));
    QCOMPARE(Shortest(-0.5), QStringLiteral("-0.5"));
    QCOMPARE(Shortest(100.0 / 3), QStringLiteral("33.33333"));
    QCOMPARE(Val(" 12abc"), 12.0);
    QCOMPARE(Val("-3.5x"), -3.5);
    QCOMPARE(Val("abc"), 0.0);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
