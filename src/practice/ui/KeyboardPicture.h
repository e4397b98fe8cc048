#pragma once

#include "practice/KeyboardGeometry.h"

#include <QColor>
#include <QImage>

#include <functional>

class QPainter;

// Drawing of the keyboard and number-pad pictures from the key table. The
// picture program draws the shipped pictures with the finger-zone colours;
// a window can draw the same board with colours of its own.
namespace tesmara::keyboard {

struct KeyLook {
    QColor face; // top of the cap
    QColor edge; // outline and the cap's lower side
    QColor text; // captions and the bump
};

// The soft colour of the keys a finger strikes (little, ring, middle and
// index finger share a colour on both hands); NoFinger gives the plain
// colour of keys that are not practised.
KeyLook zoneLook(int finger);
// The lit key of the highlight.
KeyLook litLook();

// One cap with its caption and bump, at its place on the board.
void paintKey(QPainter& p, const Key& key, const KeyLook& look);

// The whole board drawn with `p` in board coordinates (0, 0 to
// boardSize()): the case and every key, each in the look `lookOf` gives it.
void paintBoard(QPainter& p, Board board, const std::function<KeyLook(const Key&)>& lookOf);
// The same as a picture on a transparent ground.
QImage boardPicture(Board board, const std::function<KeyLook(const Key&)>& lookOf);
// The board in the finger-zone colours.
QImage boardPicture(Board board);

// The highlight of a key: the lit cap with a glow around it, sized and
// placed as highlightRect() says.
QImage highlightPicture(Board board, const Key& key);

} // namespace tesmara::keyboard
