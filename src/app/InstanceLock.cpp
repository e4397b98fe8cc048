#include "app/InstanceLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tesmara {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Makes `path` and its parents; 0 or the error of the step that failed.
int makeFolders(const QByteArray& path)
{
    for (qsizetype i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path.at(i) != '/') {
            continue;
        }
        const QByteArray part = path.left(i);
        if (::mkdir(part.constData(), 0755) != 0 && errno != EEXIST) {
            return errno;
        }
    }
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        return errno;
    }
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

} // namespace

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

InstanceLock::Result InstanceLock::acquire(const QString& folder)
{
    m_result = lock(folder);
    return m_result;
}

InstanceLock::Result InstanceLock::lock(const QString& folder)
{
    QString dir = folder;
    if (dir.endsWith(QLatin1Char('/'))) {
        dir.chop(1);
    }
    if (const int error = makeFolders(QFile::encodeName(dir))) {
        m_path = dir;
        m_reason = systemReason(error);
        return Result::NoFolder;
    }
    m_path = dir + QStringLiteral("/tesmara.lock");
    // Reading is enough to lock, so a lock file another account made (and
    // this one may only read) serves as well. It is never removed: removing
    // a locked file would let two copies lock two different files.
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        m_reason = systemReason(errno);
        return Result::NoLockFile;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return Result::AlreadyRunning;
        }
        m_reason = systemReason(error);
        return Result::NoLockFile;
    }
    m_fd = fd;
    return Result::Locked;
}

} // namespace tesmara
