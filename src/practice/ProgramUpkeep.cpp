#include "practice/ProgramUpkeep.h"

#include "app/AppState.h"
#include "app/FileRead.h"
#include "app/Msg.h"
#include "app/TextCodec.h"
#include "store/Database.h"
#include "store/Settings.h"

#include <QDir>
#include <QFile>

namespace tesmara {

namespace {

const QString kUpdater = QStringLiteral("Update.exe");
// A list of a few installer names; anything larger is not one.
constexpr qint64 kMostListBytes = 1 << 20;

QString nativeFolder(const QString& appPath)
{
    return QDir::toNativeSeparators(appPath);
}

} // namespace

QStringList Run_Pending_Setups(Database& program, const QString& appPath, const UpkeepServices& services)
{
    QStringList started;
    Settings settings(program);
    const auto stored = settings.raw(QStringLiteral("setup"));
    if (!stored) {
        settings.insert(QStringLiteral("setup"), QStringLiteral("0"));
        return started;
    }
    if (!*stored || **stored != QLatin1String("1")) {
        return started;
    }
    const QString listPath = appPath + QStringLiteral("update/setup.dat");
    const FileBytes list = readRegularFile(listPath, kMostListBytes);
    if (list.status == ReadStatus::Ok) {
        const QStringList lines = splitLines(decodeTextFile(list.bytes));
        for (const QString& entry : lines) {
            const QString line = entry.trimmed();
            if (line.isEmpty()) {
                continue;
            }
            const QString installer = appPath + QStringLiteral("update/") + line + QStringLiteral(".exe");
            if (QFile::exists(installer) && services.startProgram) {
                services.startProgram(installer, {}, appPath);
                started << installer;
            }
        }
        settings.setValue(QStringLiteral("setup"), QStringLiteral("0"));
        QFile::remove(listPath);
    } else {
        settings.setValue(QStringLiteral("setup"), QStringLiteral("0"));
    }
    return started;
}

void Menu_Help_CheckNew_Click(bool autoUpdate, const std::function<void()>& turnOn, const QString& appPath,
                              const UpkeepServices& services)
{
    if (!autoUpdate) {
        const QString answer =
            Show_Msg(QStringLiteral("您没有启动自动更新功能，需要以后每次启动软件时进行自动更新吗?\r\n"
                                    "选“是”，马上进行更新检查并且以后每次启动软件都进行一次；\r\n"
                                    "选“否”，马上进行一次更新检查，但以后不自动进行。"),
                     2, 2, QStringLiteral("自动更新"));
        if (answer == QLatin1String("Yes") && turnOn) {
            turnOn();
        }
    }
    const QString started = QStringLiteral("   已开始检查更新，如果有新版软件的话，\r\n"
                                           "将自动下载并在您下次启动软件时进行更新。");
    const QString updater = appPath + kUpdater;
    const QString spare = appPath + QStringLiteral("update/") + kUpdater;
    auto start = [&] {
        if (services.startProgram) {
            services.startProgram(updater, {QStringLiteral("JV")}, appPath);
        }
    };
    if (QFile::exists(updater)) {
        start();
        Show_Msg(started, 1, 0, QStringLiteral("提示"));
    } else if (QFile::exists(spare)) {
        QFile::copy(spare, updater);
        QFile(updater).setPermissions(QFile(spare).permissions());
        if (services.processEvents) {
            services.processEvents();
        }
        Show_Msg(started, 1, 0, QStringLiteral("提示"));
        start();
    } else {
        Show_Msg(QStringLiteral("在线自动升级模块已损坏，请在“数据管理”菜单中选择关闭自动升级功能，\r\n或到 ") +
                     QString::fromLatin1(kDownloadPage) +
                     QStringLiteral(" 下载完整安装程序重新安装以修复自动升级模块。"),
                 0, 0, QStringLiteral("错误"));
    }
}

QString uninstallNotice(const QString& appPath)
{
    return QStringLiteral("本软件使用的是自解压安装程序，不提供卸载程序。\r\n"
                          "要删除本软件只需要直接删除安装目录即可。\r\n\r\n"
                          "本软件的安装目录是：\r\n") +
           nativeFolder(appPath);
}

} // namespace tesmara
