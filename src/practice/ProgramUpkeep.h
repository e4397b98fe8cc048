#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tesmara {

class Database;

// What the main window's update items need from the platform; the program
// passes real ones, tests pass recorders.
struct UpkeepServices {
    // Starts a program detached, without waiting for it.
    std::function<bool(const QString& program, const QStringList& args, const QString& workDir)> startProgram;
    // Lets pending window events run.
    std::function<void()> processEvents;
};

// Installers left for the window's close: while the program setting
// `setup` is "1", every installer named in "update/setup.dat" that exists is
// started and the list is removed; the flag goes back to "0". Returns the
// installers started.
QStringList Run_Pending_Setups(Database& program, const QString& appPath, const UpkeepServices& services);

// "马上检查更新版本": starts the updater (copying it up from "update/" when
// only that copy is left) and tells the user, or reports that it is missing.
// `autoUpdate` is the menu tick; when it is off the user is first asked
// whether to turn it on, and `turnOn` runs on Yes.
void Menu_Help_CheckNew_Click(bool autoUpdate, const std::function<void()>& turnOn, const QString& appPath,
                              const UpkeepServices& services);

// The uninstall notice for a program in `appPath`.
QString uninstallNotice(const QString& appPath);

} // namespace tesmara
