#pragma once

#include <QString>

namespace tesmara {

// The practice kinds that keep records, in tab order of the record viewer.
inline constexpr int kKindCount = 14;

// The `testlog`.type value of tab `tab` (0..13): the tab itself for the text
// practices, tab + 27 for the Wubi and phrase drills (30..40).
int Kind_Type(int tab);

// The tab caption, also the section heading of an export ("  字根" keeps its
// two leading spaces).
QString Kind_Caption(int tab);

} // namespace tesmara
