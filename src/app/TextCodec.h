#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tesmara {

// Text files from users and companion programs: UTF-8 when the bytes are
// UTF-8 (a BOM is dropped; a few damaged bytes become U+FFFD), otherwise
// GB18030, the superset of the GBK code page such files were written in.
QString decodeTextFile(const QByteArray& bytes);

// Splits at CR LF, LF or CR, as line-by-line reading does; a final line end
// does not make an extra empty line.
QStringList splitLines(const QString& text);

} // namespace tesmara
