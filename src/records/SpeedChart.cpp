#include "records/SpeedChart.h"

#include "app/Format.h"

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

QString Scale_Label(qint64 maxSpeed, int k)
{
    // smax / 10 * (10 - k) exactly: counted in tenths, so small tops get
    // distinct labels (3, 2.7, 2.4, ...) and none is rounded away from its
    // height.
    const qint64 tenths = maxSpeed * (kScaleSteps - k);
    return Shortest(double(tenths) / 10);
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
