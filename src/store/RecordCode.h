#pragma once

#include <QString>

namespace tesmara {

// MD5 of a text whose message is built from the characters' code-page-936
// values (see RecordCode.cpp). Width 32 gives all 16 digest bytes, any other
// width the 16 digits of bytes 4..11. Lower-case hex.
QString Md5_Hex(const QString& text, int width);

// The record code stored for passwords, articles and practice records.
QString Code_Of(const QString& text);

// MD5 of a file's bytes as 32 upper-case hex digits, "" when the file is
// missing or unreadable. Only MD5 (32771) is supported; any other algorithm
// number gives "".
constexpr int kAlgorithmMd5 = 32771;
QString File_Digest(const QString& path, int algorithm = kAlgorithmMd5);

// The signed 16-bit value the classic character-code function returns for a
// UTF-16 unit in code page 936: 0..255 for single-byte characters,
// lead * 256 + trail - 65536 for double-byte ones, 63 ("?") when the
// character has no GBK form.
qint16 Ansi_Value(char16_t unit);

} // namespace tesmara
