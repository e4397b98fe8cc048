#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

namespace tesmara {

// A PNG picture (a regular file or a resource), read by Qt's own PNG reader alone.
// Left to guess, the image reader loads every image-format plugin to ask
// each whether it knows the file; a null image when it cannot be read.
// A picture being decoded ahead on another thread (see decodeAhead) is waited
// for and handed out instead of being read again; one not yet begun there is
// read at once.
QImage pngImage(const QString& path);

// Registers the resource pictures `paths` for decoding ahead, in that order,
// and returns the job that decodes them, to be run on a worker thread; each
// is decoded once, by the job or by pngImage(), whichever comes first.
// Pictures nobody asked for are dropped by dropDecodedAhead().
std::function<void()> decodeAhead(const QStringList& paths);
void dropDecodedAhead();

} // namespace tesmara
