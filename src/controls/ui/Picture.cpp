#include "controls/ui/Picture.h"

#include <QImageReader>

namespace tesmara {

QPixmap pngPicture(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace tesmara
