#include "controls/ui/Picture.h"

#include <QImageReader>

namespace tesmara {

QImage pngImage(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace tesmara
