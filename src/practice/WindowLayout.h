#pragma once

#include <QSize>

namespace tesmara {

// The main window's layout for a screen, in twips (15 to a pixel): the
// window's size, the size step of its practice lines and where the seven
// line pairs go. Each layout takes the largest size step whose 30
// full-width cells fit its lines, so every kind of practice fills them.
struct WindowLayout {
    QSize window;    // the whole window, frame included
    int lineSize;    // Window_Size of the practice lines
    int lineWidth;   // every line: the window's width less 270
    int pairPitch;   // from one pair's reference line to the next one's
    int inputOffset; // from a reference line down to its typing line
};

// Screens of at least 18000 by 13500 twips get the large layout, all others
// the standard one.
WindowLayout windowLayoutFor(QSize screenPixels);

} // namespace tesmara
