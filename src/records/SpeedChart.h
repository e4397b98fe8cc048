#pragma once

#include <QString>

namespace tesmara {

// Geometry of the speed chart, in twips (15 to a pixel) on the chart's own
// surface. Points are closed squares of 105 twips; record j of a page sits
// 150 twips after the one before it, with an extra 75 after every tenth.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kPointSize = 105;
inline constexpr int kScaleX = 1890;
inline constexpr int kScaleSteps = 10;

int Point_Left(int j);
// 4590 for speed 0 (just above the scale's 0), 150 for the largest speed.
int Point_Top(qint64 speed, qint64 maxSpeed);
// Scale label k (0 at the top .. 10 at the bottom): its text and height.
QString Scale_Label(qint64 maxSpeed, int k);
int Scale_Y(int k);

// Whether a pointer at `px`,`py` (pixels, in the point's container) has left
// a point whose box is `left`,`top`,`width`,`height` twips.
bool Pointer_Left_Point(int px, int py, int left, int top, int width, int height);

} // namespace tesmara
