#pragma once

#include "mistakes/MistakeFigures.h"

#include <QString>

namespace tesmara {

class RandomSource;

// At most this many of the weakest characters go into a drill, each at
// least kDrillMinimum times, about kDrillLength characters in all.
inline constexpr int kDrillUnits = 20;
inline constexpr int kDrillMinimum = 3;
inline constexpr int kDrillLength = 200;

// The name part of the review article a drill is saved as, by the kind of
// the statistics it is made from ("中文弱项", "综合弱项" for every kind).
QString Drill_Name(int kind);

// Practice text from the weakest characters (as Weakest() gives them): each
// one repeated in proportion to the rate it is ranked by, in random order and never twice
// in a row while another is left. Keys of the fingering practice (`kind`)
// become the characters they type; letters and signs alone are grouped in
// fives, as words. Empty when nothing can be typed in a practice line.
QString Drill_Text(const QList<CharFigures>& weakest, int kind, RandomSource& random);

} // namespace tesmara
