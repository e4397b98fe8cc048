#include "app/FileRead.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tesmara {

namespace {

ReadStatus statusOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
}

} // namespace

ReadStatus openRegularFile(QFile& file, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        return statusOf(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return ReadStatus::NotRegular;
    }
    // Without blocking: should a pipe have taken the file's place since,
    // opening it must not wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return statusOf(errno);
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadStatus::NotRegular;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ReadStatus::Unreadable;
    }
    return ReadStatus::Ok;
}

FileBytes readRegularFile(const QString& path, qint64 maxBytes)
{
    FileBytes result;
    QFile file;
    result.status = openRegularFile(file, path);
    if (result.status != ReadStatus::Ok) {
        return result;
    }
    if (file.size() > maxBytes) {
        result.status = ReadStatus::TooBig;
        return result;
    }
    // One byte more than allowed tells a file that grew meanwhile.
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = ReadStatus::Unreadable;
        result.bytes.clear();
    } else if (result.bytes.size() > maxBytes) {
        result.status = ReadStatus::TooBig;
        result.bytes.clear();
    }
    return result;
}

} // namespace tesmara
