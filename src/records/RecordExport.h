#pragma once

#include "records/TestLog.h"
#include "store/Database.h"

#include <QByteArray>
#include <QString>

namespace tesmara {

// One export section: heading, count line, column line, one line per record,
// every line ended by CR LF.
QString Export_Section(int tab, const QList<TestRecord>& records);
// The one-kind export (a single section) and the all-kinds export (the 14
// sections, each followed by an empty line).
QString Export_One_Text(Database& db, int tab);
QString Export_All_Text(Database& db);

// The name a save dialog gave, cut at its first NUL, with ".txt" added
// unless it already ends so (in any case); "" stays "" (cancelled).
QString Export_File_Name(const QString& chosen);

// Text files go out in the desktop's own encoding: the locale's codeset
// (UTF-8 on current desktops, GBK under a GBK locale). Tests may pin one.
QString System_Codec_Name();
void setSystemCodecOverride(const QString& name); // "" restores the locale's
QByteArray Encode_System(const QString& text);

// Writes `bytes` to `path` through a temporary file that replaces the target
// only once everything is written, so a failure leaves any old file as it
// was. On failure `error` says why.
bool Write_File_Whole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace tesmara
