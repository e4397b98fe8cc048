#pragma once

#include <QByteArray>
#include <QString>

namespace tesmara {

// The Wubi and pinyin code dictionary. A character's record index comes
// from its two GBK bytes: (lead - 129) * 254 + (trail - 64). Wubi records
// are 3 bytes (four 5-bit letters, then the 2- and 3-letter short-code
// flags); pinyin records are 14 bytes (22 5-bit values: 1-26 letters, 27 a
// blank between readings, 0 the end).

inline constexpr int kWubiTableSize = 95544;    // 31848 records of 3 bytes
inline constexpr int kPinyinTableSize = 445872; // 31848 records of 14 bytes

// Record index of the first character of `ch`, or -1 when it is not a
// double-byte GBK character.
int Gbk_Index(const QString& ch);

// The Wubi codes of the character in `table`, one per line separated by
// CR LF, shortest first; "" for anything outside the table.
QString Wb_Code(const QString& ch, const QByteArray& table);
// The readings of the character in `table`, separated by single blanks.
QString Get_Py(const QString& ch, const QByteArray& table);

// The same on the tables loaded at start-up.
QString Get_Wb86(const QString& ch);
QString Get_Wb98(const QString& ch);
QString Get_Py(const QString& ch);

} // namespace tesmara
