#pragma once

#include <QString>

namespace tesmara {

// Two-digit clock text: "5" -> "05", "12" -> "12", "-5" -> "-5".
QString Pad2(qint16 n);

// The classic Val(): the number at the start of a text (leading blanks
// skipped, optional sign, digits, optional fraction); 0 when there is none.
double Val(const QString& text);

// A number in its shortest decimal form, with "0" in front of a leading ".":
// 12.5 -> "12.5", 0.25 -> "0.25", 3 -> "3", -0.5 -> "-0.5".
QString Shortest(double value);

} // namespace tesmara
