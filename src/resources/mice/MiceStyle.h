#pragma once

#include <QColor>

namespace tesmara::mice {

// One coat of a mouse: fur, the darker outline, the lighter belly.
struct Coat {
    QColor fur;
    QColor outline;
    QColor belly;
};

inline constexpr int kCoats = 6;
const Coat& coat(int index);

// Colours every picture shares: the pink of ears, noses, feet and tails,
// the eye ink, the cheese.
QColor pink();
QColor pinkEdge();
QColor eyeInk();
QColor cheese();
QColor cheeseEdge();
// The program's window colour and its deeper blue, for the target strip.
QColor skinWindow();
QColor skinBlue();

} // namespace tesmara::mice
