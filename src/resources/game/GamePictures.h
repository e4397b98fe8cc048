#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace tesmara::gamepics {

// One palette for the water, the quay and the boats, around the program's
// light-blue window colour.
namespace palette {
inline const QColor kDeep(38, 104, 158);
inline const QColor kMid(62, 139, 190);
inline const QColor kShallow(104, 181, 220);
inline const QColor kFoam(240, 249, 255);
inline const QColor kStone(226, 237, 246);
inline const QColor kStoneDark(190, 209, 225);
inline const QColor kInk(20, 53, 82);
inline const QColor kHull(222, 84, 62);
inline const QColor kHullDark(160, 48, 36);
inline const QColor kRim(250, 250, 246);
inline const QColor kWood(232, 186, 128);
inline const QColor kWoodDark(196, 146, 90);
inline const QColor kMotor(58, 66, 78);
} // namespace palette

// The boat seen from above, bow up (resource 101, 39 × 107).
QImage boat();
// The two sinking frames (102, 103, 45 × 120): stern under water, then
// only the bow left in a ring of foam. They share the boat's centre.
QImage sinking(int frame);
// The water of the game window, `size` pixels, with the quay along the
// bottom from `quayTop` down.
QImage water(QSize size, int quayTop);

} // namespace tesmara::gamepics
