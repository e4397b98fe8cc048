#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace tesmara {

// How reading a file of ours or of the user went. Only regular files are
// read: a pipe would block for ever and a device would never run dry.
enum class ReadStatus { Ok, Missing, NotRegular, Unreadable, TooBig };

// Opens `path` for reading when it is a regular file. A pipe is refused
// without being opened; the check is repeated on the opened file, so a file
// swapped for a pipe in between is refused too.
ReadStatus openRegularFile(QFile& file, const QString& path);

struct FileBytes {
    ReadStatus status = ReadStatus::Ok;
    QByteArray bytes;
};

// The whole file, or TooBig when it holds more than `maxBytes`.
FileBytes readRegularFile(const QString& path, qint64 maxBytes);

} // namespace tesmara
