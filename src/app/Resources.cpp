#include "app/Resources.h"

#include <QFile>
#include <QResource>

namespace tesmara {

QByteArray binaryResource(int id)
{
    // Stored uncompressed, a resource is used in place: no copy at start-up.
    const QResource res(QStringLiteral(":/data/bin/%1.bin").arg(id));
    if (res.isValid() && res.compressionAlgorithm() == QResource::NoCompression && res.data() != nullptr) {
        return QByteArray::fromRawData(reinterpret_cast<const char*>(res.data()), res.size());
    }
    QFile file(QStringLiteral(":/data/bin/%1.bin").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QString stringResource(int id)
{
    QFile file(QStringLiteral(":/data/str/%1.txt").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace tesmara
