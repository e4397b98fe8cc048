#include "app/Startup.h"

#include "app/AppState.h"
#include "app/FileRead.h"
#include "app/InstanceLock.h"
#include "app/Msg.h"
#include "app/Resources.h"
#include "app/TextCodec.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace tesmara {

namespace {

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/'))) {
        path.append(QLatin1Char('/'));
    }
    return path;
}

bool folderWritable(const QString& folder)
{
    QTemporaryFile probe(withSlash(folder) + QStringLiteral(".tesmara-probe-XXXXXX"));
    return probe.open();
}

// A file in `dir` whose name matches `name` without regard to letter case
// (companion programs are named either way).
QString findFile(const QString& dir, const QString& name)
{
    const QString exact = withSlash(dir) + name;
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    const QDir d(dir);
    const QStringList entries = d.entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return d.filePath(entry);
        }
    }
    return {};
}

bool replaceFile(const QString& source, const QString& target)
{
    const QString tmp = target + QStringLiteral(".new");
    QFile::remove(tmp);
    if (!QFile::copy(source, tmp)) {
        return false;
    }
    QFile::setPermissions(tmp, QFile::permissions(source));
    QFile::remove(target);
    return QFile::rename(tmp, target);
}

const QString kCannotStart = QStringLiteral("无法启动");

} // namespace

ProgramFolders resolveFolders(const QString& programFolder, const QString& fallbackDataFolder)
{
    ProgramFolders folders;
    const QString program = withSlash(QDir::fromNativeSeparators(programFolder));
    if (folderWritable(program)) {
        folders.appPath = program;
        folders.sharePath = program;
        return folders;
    }
    QDir().mkpath(fallbackDataFolder);
    folders.appPath = withSlash(QDir::fromNativeSeparators(fallbackDataFolder));
    const QString installed = QDir::cleanPath(program + QStringLiteral("../share/tesmara"));
    folders.sharePath = QFileInfo::exists(program + QStringLiteral("p.dat")) || !QFileInfo::exists(installed)
                            ? program
                            : withSlash(installed);
    return folders;
}

Startup::Startup(ProgramFolders folders, StartupServices services)
    : m_folders(std::move(folders)), m_services(std::move(services))
{
}

Startup::~Startup() = default;

bool Startup::acquireInstanceLock()
{
    m_lock = std::make_unique<InstanceLock>();
    const InstanceLock::Result result = m_lock->acquire(m_folders.appPath);
    const QString path = QDir::toNativeSeparators(m_lock->path());
    QString title = kCannotStart;
    QString text;
    switch (result) {
    case InstanceLock::Result::Locked:
        return true;
    case InstanceLock::Result::AlreadyRunning:
        title = QStringLiteral("程序已在运行");
        text = QStringLiteral("       Tesmara 已经在运行了。如果您没有看到 Tesmara\r\n"
                              "的窗口的话，请重新启动您的电脑，然后再次运行。");
        break;
    case InstanceLock::Result::NoFolder:
        text = QStringLiteral("无法建立 Tesmara 的数据文件夹：\r\n%1\r\n%2").arg(path, m_lock->reason());
        break;
    case InstanceLock::Result::NoLockFile:
        text = QStringLiteral("无法建立或锁定 Tesmara 的锁文件：\r\n%1\r\n%2").arg(path, m_lock->reason());
        break;
    }
    if (m_services.systemNotice) {
        m_services.systemNotice(title, text);
    }
    return false;
}

StartupOutcome Startup::run()
{
    AppState& app = App();
    app.App_Path = m_folders.appPath;
    app.Share_Path = m_folders.sharePath;

    if (!acquireInstanceLock()) {
        return m_lock->alreadyRunning() ? StartupOutcome::SecondInstance : StartupOutcome::Fatal;
    }
    if (!openMainDatabase()) {
        return StartupOutcome::Fatal;
    }
    loadCodeTables();
    writeVersion();
    if (!applyPendingUpdate()) {
        return StartupOutcome::HandedOver;
    }
    startUpdater();
    return autoLoginOrLoginWindow();
}

bool Startup::openMainDatabase()
{
    AppState& app = App();
    const QString path = app.App_Path + QStringLiteral("d.at");
    QString error;
    if (!QFileInfo::exists(path)) {
        // Built under a temporary name and renamed: a kill during creation
        // leaves no half-made database behind.
        const QString tmp = path + QStringLiteral(".new");
        QFile::remove(tmp);
        Database fresh;
        if (!fresh.open(tmp, Database::Mode::ReadWrite, &error)) {
            Show_Msg(QStringLiteral("无法创建数据文件：\r\n%1\r\n%2").arg(path, error), 0, 0,
                     QStringLiteral("数据文件错误"));
            return false;
        }
        // The settings a first start writes go in with the tables: a new
        // folder is ready after one write to disk instead of six.
        fresh.transaction([&] {
            createAppTables(fresh);
            Settings settings(fresh, app.App_Path);
            settings.insert(QStringLiteral("Ver"), QString::fromLatin1(kVersion));
            settings.insert(QStringLiteral("Update_"), QStringLiteral("0"));
            settings.insert(QStringLiteral("Auto_Update"), QStringLiteral("1"));
            settings.insert(QStringLiteral("Auto_Login_PassWord"), std::nullopt);
            settings.insert(QStringLiteral("Auto_Login_Name"), std::nullopt);
            return true;
        });
        fresh.close();
        if (!QFile::rename(tmp, path)) {
            QFile::remove(tmp);
            Show_Msg(QStringLiteral("无法创建数据文件：\r\n%1").arg(path), 0, 0, QStringLiteral("数据文件错误"));
            return false;
        }
    }
    if (m_services.processEvents) {
        m_services.processEvents();
    }
    if (!app.Conn_Main.open(path, Database::Mode::ReadWrite, &error) || !app.Conn_Main.hasTable("set_") ||
        !app.Conn_Main.hasTable("user")) {
        if (error.isEmpty()) {
            error = QStringLiteral("缺少数据表。");
        }
        app.Conn_Main.close();
        Show_Msg(QStringLiteral("数据文件已损坏或不是 Tesmara 的数据文件：\r\n%1\r\n%2").arg(path, error), 0, 0,
                 QStringLiteral("数据文件错误"));
        return false;
    }
    // A file that cannot be written opens for reading only, without a word;
    // the first setting written would then end the program.
    if (!app.Conn_Main.writable(&error)) {
        app.Conn_Main.close();
        Show_Msg(QStringLiteral("无法写入数据文件：\r\n%1\r\n%2\r\n请检查该文件和它所在的文件夹是否允许写入。")
                     .arg(QDir::toNativeSeparators(path), error),
                 0, 0, QStringLiteral("数据文件错误"));
        return false;
    }
    return true;
}

void Startup::loadCodeTables()
{
    AppState& app = App();
    app.Wb86_Codes = binaryResource(101);
    app.Wb98_Codes = binaryResource(102);
    app.Py_Codes = binaryResource(104);
}

void Startup::writeVersion()
{
    Settings settings(App().Conn_Main, App().App_Path);
    const auto ver = settings.raw(QStringLiteral("Ver"));
    if (!ver) {
        settings.insert(QStringLiteral("Ver"), QString::fromLatin1(kVersion));
    } else if (!*ver || **ver != QLatin1String(kVersion)) {
        settings.setValue(QStringLiteral("Ver"), QString::fromLatin1(kVersion));
    }
}

bool Startup::startCopier(const QStringList& args, bool hidden)
{
    // On this platform the copier normally does not exist. Then the update
    // cannot be installed: the user is told once, the update is put aside
    // (its files stay in "update/") and the program starts as usual.
    const QString copier = findFile(App().App_Path, QStringLiteral("filecopy.exe"));
    if (copier.isEmpty() || !m_services.startProgram ||
        !m_services.startProgram(copier, args, App().App_Path, hidden)) {
        Show_Msg(
            QStringLiteral("在线自动升级模块已损坏，请自行到 %1 下载安装最新版。").arg(QLatin1String(kDownloadPage)), 0,
            0, QStringLiteral("错误"));
        return false;
    }
    return true;
}

bool Startup::applyPendingUpdate()
{
    AppState& app = App();
    Settings settings(app.Conn_Main, app.App_Path);
    const QString key = QStringLiteral("Update_");
    const auto stored = settings.raw(key);
    if (!stored) {
        settings.insert(key, QStringLiteral("0"));
        return true;
    }
    const QString pending = stored->value_or(QString());
    if (pending.isEmpty() || pending == QLatin1String("0")) {
        return true;
    }
    auto drop = [&] {
        settings.setValue(key, QStringLiteral("0"));
        return true;
    };

    const QString updateDir = app.App_Path + QStringLiteral("update/");
    QDir().mkpath(updateDir);
    // A list of a few file names; anything larger, or not a regular file,
    // is no list the updater wrote.
    const FileBytes list = readRegularFile(updateDir + QStringLiteral("update.d"), 1 << 20);
    if (list.status != ReadStatus::Ok) {
        return drop();
    }
    const QStringList lines = splitLines(decodeTextFile(list.bytes));
    if (lines.size() < 2) {
        return drop();
    }
    const qsizetype eq = lines[1].indexOf(QLatin1Char('='));
    if (eq < 0) {
        return drop();
    }
    bool ok = false;
    const int count = lines[1].mid(eq + 1).trimmed().toInt(&ok);
    if (!ok || count <= 0) {
        return drop();
    }
    for (int i = 0; i < count; ++i) {
        if (2 + i >= lines.size()) {
            return drop();
        }
        const QStringList parts = lines[2 + i].split(QLatin1Char('='));
        if (parts.size() != 2) {
            return drop();
        }
        const QString file = updateDir + parts[0];
        if (parts[0].isEmpty() || !QFileInfo(file).isFile() || File_Digest(file) != parts[1]) {
            return drop();
        }
        const QString lower = parts[0].toLower();
        bool copied = false;
        if (lower == QLatin1String("filecopy.exe")) {
            replaceFile(file, app.App_Path + QStringLiteral("filecopy.exe"));
            copied = true;
        } else if (lower == QLatin1String("update.exe")) {
            replaceFile(file, app.App_Path + QStringLiteral("Update.exe"));
            copied = true;
        }
        if (copied && count == 1) {
            settings.setValue(key, QStringLiteral("0"));
            return true;
        }
    }
    if (pending == QLatin1String(kVersion)) {
        return !startCopier({QStringLiteral("JV"), QStringLiteral("Hide")}, true) && drop();
    }
    const QString answer =
        Show_Msg(QStringLiteral("    新的 Tesmara%1 版 已经通过自动更新下载完成，新版本通常是在旧版的\r\n"
                                "基础上进行功能升级，或者是修改旧版中存在的运行错误，建议及时进行更新。\r\n\r\n"
                                "是否马上进行版本更新?")
                     .arg(pending),
                 2, 2, QStringLiteral("自动更新"), 3, 0);
    if (answer == QLatin1String("Yes")) {
        return !startCopier({QStringLiteral("JV")}, false) && drop();
    }
    return true;
}

void Startup::startUpdater()
{
    AppState& app = App();
    Settings settings(app.Conn_Main, app.App_Path);
    const QString key = QStringLiteral("Auto_Update");
    const auto stored = settings.raw(key);
    if (!stored) {
        settings.insert(key, QStringLiteral("1"));
        return;
    }
    QString value = stored->value_or(QString());
    if (!stored->has_value()) {
        settings.setValue(key, QStringLiteral("1"));
        value = QStringLiteral("1");
    }
    if (value == QLatin1String("0")) {
        return;
    }
    const QString args = QStringLiteral("JV");
    QString updater = findFile(app.App_Path, QStringLiteral("Update.exe"));
    if (updater.isEmpty()) {
        const QString downloaded = findFile(app.App_Path + QStringLiteral("update"), QStringLiteral("Update.exe"));
        if (downloaded.isEmpty()) {
            return;
        }
        updater = app.App_Path + QStringLiteral("Update.exe");
        if (!replaceFile(downloaded, updater)) {
            return;
        }
        if (m_services.processEvents) {
            m_services.processEvents();
        }
    }
    if (m_services.startProgram) {
        m_services.startProgram(updater, {args}, app.App_Path, false);
    }
}

StartupOutcome Startup::autoLoginOrLoginWindow()
{
    AppState& app = App();
    Database& db = app.Conn_Main;
    Settings settings(db, app.App_Path);
    if (!settings.raw(QStringLiteral("Auto_Login_PassWord"))) {
        settings.insert(QStringLiteral("Auto_Login_PassWord"), std::nullopt);
    }
    auto showLogin = [&] {
        if (m_services.showLogin) {
            m_services.showLogin();
        }
        return StartupOutcome::LoginWindow;
    };
    const auto name = settings.raw(QStringLiteral("Auto_Login_Name"));
    if (!name) {
        settings.insert(QStringLiteral("Auto_Login_Name"), std::nullopt);
        return showLogin();
    }
    if (!name->has_value()) {
        return showLogin();
    }
    const QString user = **name;
    const auto pw = db.scalar(QStringLiteral("select Pw from [user] where Un = ?"), {user});
    const auto stored = settings.raw(QStringLiteral("Auto_Login_PassWord"));
    const QString storedCode = stored ? stored->value_or(QString()) : QString();
    if (!pw || Code_Of(user + pw->toString()) != storedCode) {
        settings.clear(QStringLiteral("Auto_Login_Name"));
        return showLogin();
    }
    app.User_Name = user;
    if (m_services.autoLogin) {
        m_services.autoLogin();
    }
    return StartupOutcome::AutoLogin;
}

} // namespace tesmara
