#include "controls/ui/Picture.h"

#include "app/FileRead.h"

#include <QBuffer>
#include <QImageReader>

namespace tesmara {

QImage pngImage(const QString& path)
{
    if (path.startsWith(QLatin1Char(':'))) {
        QImageReader reader(path, "png");
        reader.setAutoDetectImageFormat(false);
        return reader.read();
    }
    // A picture of ours is a few hundred kilobytes; a pipe or a device in its
    // place is not read at all.
    const FileBytes file = readRegularFile(path, 16 << 20);
    if (file.status != ReadStatus::Ok) {
        return {};
    }
    QBuffer buffer;
    buffer.setData(file.bytes);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace tesmara
