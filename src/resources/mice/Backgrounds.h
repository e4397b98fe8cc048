#pragma once

#include <QImage>

namespace tesmara::mice {

// The play area: 11370 by 6000 twips.
inline constexpr int kAreaWidth = 758;
inline constexpr int kAreaHeight = 400;

// Background n (1..6), a calm side-on scene: the horizon along the top and
// a quiet ground below it where the mice run: 1 meadow, 2 wooden floor,
// 3 kitchen, 4 beach, 5 snow, 6 woodland.
QImage background(int n);

} // namespace tesmara::mice
