#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

namespace tesmara {

// A PNG picture (a regular file or a resource), read by Qt's own PNG reader alone.
// Left to guess, the image reader loads every image-format plugin to ask
// each whether it knows the file; a null image when it cannot be read.
// A picture decoded ahead on another thread (see decodeAhead) is waited for
// and handed out instead of being read again.
QImage pngImage(const QString& path);

// Claims the resource pictures `paths` for decoding ahead: from now on
// pngImage() waits for them instead of reading them again. Returns the job
// that decodes them, to be run on a worker thread. Pictures nobody asked for
// are dropped by dropDecodedAhead().
std::function<void()> decodeAhead(const QStringList& paths);
void dropDecodedAhead();

} // namespace tesmara
