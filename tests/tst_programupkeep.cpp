#include "TestSupport.h"
#include "app/AppState.h"
#include "app/Msg.h"
#include "practice/ProgramUpkeep.h"
#include "practice/WindowSettings.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/Settings.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <stdexcept>

using namespace tesmara;

namespace {

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

// The program database in a fresh folder; one that cannot be opened fails
// the test at once.
class ProgramDb {
public:
    ProgramDb()
    {
        QString error;
        if (!m_db.open(m_folder.path() + QStringLiteral("d.at"), Database::Mode::ReadWrite, &error)) {
            throw std::runtime_error("program database: " + error.toStdString());
        }
        createAppTables(m_db);
    }
    QString path() const { return m_folder.path(); }
    Database& db() { return m_db; }
    QString setting(const QString& key) { return test::storedSetting(m_db, key); }

private:
    test::ProgramFolder m_folder;
    Database m_db;
};

} // namespace

class TestProgramUpkeep : public QObject {
    Q_OBJECT
private slots:
    void pendingInstallersRunOnce();
    void updateCheckFindsTheUpdater();
    void windowSettingsReadAndWritten();
};

void TestProgramUpkeep::pendingInstallersRunOnce()
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

void TestProgramUpkeep::updateCheckFindsTheUpdater()
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

void TestProgramUpkeep::windowSettingsReadAndWritten()
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

QTEST_GUILESS_MAIN(TestProgramUpkeep)
#include "tst_programupkeep.moc"
