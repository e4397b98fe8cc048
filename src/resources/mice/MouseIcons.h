#pragma once

#include <QImage>

namespace tesmara::mice {

// Side size of a mouse icon in pixels (480 twips).
inline constexpr int kIconSize = 32;

// Live mouse k (1..18) running to the right, or its dead counterpart lying
// on its back: six coats in three poses (dashing, hopping, carrying cheese).
QImage mouseIcon(int k, bool dead, int size = kIconSize);

} // namespace tesmara::mice
