#include "app/Resources.h"

#include <QFile>

namespace tesmara {

QByteArray binaryResource(int id)
{
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
