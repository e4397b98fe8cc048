#pragma once

#include "Sources.h"

#include <QByteArray>

namespace tesmara::gen {

inline constexpr int kRecordCount = 31848; // 126 lead bytes x 254 trail bytes
inline constexpr int kWubiRecordSize = 3;
inline constexpr int kPinyinRecordSize = 14;

// Record index of a character from its two GBK bytes, or -1 for a character
// that is not a double-byte GBK character.
int gbkIndex(char16_t c);

// Code tables in the record layouts the program reads.
QByteArray wubiTable(const std::map<char16_t, WubiEntry>& codes, QStringList& warnings);
QByteArray pinyinTable(const std::map<char16_t, QStringList>& readings, QStringList& warnings);

// For each UTF-16 code unit, its record index + 1 (0: not in GBK), as
// little-endian 16-bit values: the program's lookups need no codec.
QByteArray gbkIndexMap();

} // namespace tesmara::gen
