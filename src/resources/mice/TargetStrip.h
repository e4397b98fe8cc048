#pragma once

#include <QImage>

namespace tesmara::mice {

// The drag target: 11355 by 825 twips along the bottom of the play area.
inline constexpr int kStripWidth = 757;
inline constexpr int kStripHeight = 55;

// A band in the program's blue with a dashed edge, arrows pointing into it
// from above and a row of cat paw prints: the place to drag a mouse to.
QImage targetStrip();

} // namespace tesmara::mice
