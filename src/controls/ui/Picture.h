#pragma once

#include <QImage>
#include <QString>

namespace tesmara {

// A PNG picture (a regular file or a resource), read by Qt's own PNG reader alone.
// Left to guess, the image reader loads every image-format plugin to ask
// each whether it knows the file; a null image when it cannot be read.
QImage pngImage(const QString& path);

} // namespace tesmara
