#include "practice/WindowLayout.h"

namespace tesmara {

WindowLayout windowLayoutFor(QSize screenPixels)
{
    // A typing line and the reference lines above and below it share their
    // 15-twip borders.
    if (screenPixels.width() * 15 >= 18000 && screenPixels.height() * 15 >= 13500) {
        return {QSize(16620, 11700), 2, 16620 - 270, 1170, 585};
    }
    return {QSize(13425, 9905), 1, 13425 - 270, 930, 465};
}

} // namespace tesmara
