#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace tesmara {

class InstanceLock;

// Where the program keeps its files. `programFolder` is the executable's own
// folder. When it cannot be written (an install under /usr), the user's
// application data folder holds the databases and the "user/" and "update/"
// folders, and the shipped read-only files are looked up beside the
// executable or in ../share/tesmara.
struct ProgramFolders {
    QString appPath;   // writable, ends with "/"
    QString sharePath; // read-only shipped files, ends with "/"
};
ProgramFolders resolveFolders(const QString& programFolder, const QString& fallbackDataFolder);

// What start-up needs from the platform; the program passes the real
// services, tests pass recorders.
struct StartupServices {
    // Step 2: the platform's own notice for a second running copy.
    std::function<void(const QString& title, const QString& text)> systemNotice;
    // Starts a companion program detached; `hidden` for the silent copier.
    std::function<bool(const QString& program, const QStringList& args, const QString& workDir, bool hidden)>
        startProgram;
    // Lets pending window events run.
    std::function<void()> processEvents;
    // Step 10.4: the login step for the remembered user.
    std::function<void()> autoLogin;
    // Step 11: shows the login window.
    std::function<void()> showLogin;
};

enum class StartupOutcome {
    SecondInstance, // another copy runs: nothing was changed
    HandedOver,     // the copier was started: end the process
    Fatal,          // the data folder or "d.at" cannot be used: the error was shown
    AutoLogin,      // the remembered user was logged in
    LoginWindow,    // the login window was shown
};

class Startup {
public:
    Startup(ProgramFolders folders, StartupServices services);
    ~Startup();

    StartupOutcome run();

    // The lock that keeps a second copy out; held for the process's life.
    // On failure the notice says why.
    bool acquireInstanceLock();

private:
    bool openMainDatabase();
    void loadCodeTables();
    void writeVersion();
    bool applyPendingUpdate(); // false: the copier was started, the process ends
    void startUpdater();
    StartupOutcome autoLoginOrLoginWindow();
    bool startCopier(const QStringList& args, bool hidden); // false: told the user

    ProgramFolders m_folders;
    StartupServices m_services;
    std::unique_ptr<InstanceLock> m_lock;
};

} // namespace tesmara
