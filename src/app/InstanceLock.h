#pragma once

#include <QString>

namespace tesmara {

// Keeps a second copy of the program out of one data folder. The lock is the
// kernel's lock on the file "tesmara.lock": it goes with the process that
// holds it, so a crashed copy, of this account or of another one sharing the
// installation, never leaves a lock behind that would keep the program out.
class InstanceLock {
public:
    enum class Result {
        Locked,         // this process holds the lock
        AlreadyRunning, // a running copy holds it
        NoFolder,       // the data folder cannot be made
        NoLockFile,     // the lock file cannot be made or opened
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Result acquire(const QString& folder);
    bool alreadyRunning() const { return m_result == Result::AlreadyRunning; }
    // The file or folder that failed, and the system's reason.
    QString path() const { return m_path; }
    QString reason() const { return m_reason; }

private:
    Result lock(const QString& folder);

    int m_fd = -1;
    Result m_result = Result::NoLockFile;
    QString m_path;
    QString m_reason;
};

} // namespace tesmara
