#include "records/SpeedChart.h"

#include <cmath>

namespace tesmara {

int Point_Left(int j)
{
    return 2510 + 150 * j + 75 * (j / 10);
}

int Point_Top(qint64 speed, qint64 maxSpeed)
{
    // A scale without a positive top (every record at 0) puts all points on
    // the 0 line instead of dividing by it.
    if (speed == 0 || maxSpeed <= 0) {
        return 4590;
    }
    const double top = 4650.0 - static_cast<double>(speed) / static_cast<double>(maxSpeed) * 4500.0;
    return static_cast<int>(std::lround(top));
}

qint64 Scale_Value(qint64 maxSpeed, int k)
{
    // Int(smax / 10 * (10 - k)) in whole numbers, so 29 / 10 * 10 cannot come
    // out as 28.999... and lose a unit.
    const qint64 scaled = maxSpeed * (kScaleSteps - k);
    return scaled >= 0 ? scaled / 10 : -((-scaled + 9) / 10);
}

int Scale_Y(int k)
{
    return 150 + 450 * k;
}

bool Pointer_Left_Point(int px, int py, int left, int top, int width, int height)
{
    const int t = kTwipsPerPixel;
    return px < left / t || py < top / t || px >= (left + width) / t || py >= (top + height) / t;
}

} // namespace tesmara
