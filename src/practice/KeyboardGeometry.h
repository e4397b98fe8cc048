#pragma once

#include <QChar>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// The one table of key positions behind the keyboard and number-pad
// pictures: the picture program draws every key from it, and the fingering
// page places the key highlight with it, so a highlight always sits exactly
// on its key. Pictures live below the shared folder under "kp/".
namespace tesmara::keyboard {

// The ten fingers from left to right: the left hand's little, ring, middle,
// index finger and thumb, then the right hand's thumb, index, middle, ring
// and little finger. Finger f < 5 is left picture f, else right picture f-5.
enum Finger : int {
    NoFinger = -1,
    LeftLittle = 0,
    LeftRing,
    LeftMiddle,
    LeftIndex,
    LeftThumb,
    RightThumb,
    RightIndex,
    RightMiddle,
    RightRing,
    RightLittle,
};
inline constexpr int kFingers = 10;

enum class Board { Main, NumberPad };

struct Key {
    // The practice label: 'A'..'Z', '0'..'9', ' ' for the space bar; on the
    // number pad '0'..'9', '-', '+', 'c' (/), 'x' (*), 'e' (Enter), 'p' (.).
    // Null for keys that are never a target.
    QChar label;
    QString caption; // printed on the cap
    QString shifted; // printed small above it (digits and signs), or empty
    QRect rect;      // the cap on the board picture
    int finger = NoFinger;
    bool bump = false; // the raised mark on F, J and the pad's 5
};

const QList<Key>& keys(Board board);
// What a number-pad label stands for: "/" for c, "*" for x, "." for p,
// "回车" for e, any other label itself.
QString padSign(QChar label);
// The key with a practice label, or nullptr.
const Key* findKey(Board board, QChar label);
// Size of the board picture.
QSize boardSize(Board board);

// A highlight picture covers its key and a glow this wide around it.
inline constexpr int kGlow = 6;
// Where the highlight picture of `label` goes on the board picture; empty
// for a label the board does not have.
QRect highlightRect(Board board, QChar label);

// Size of the hands picture; the ten finger pictures have the same size and
// lie exactly over it.
QSize handsSize();

// Picture files, relative to the shared folder.
QString boardFile(Board board);                  // "kp/k.j", "kp/n/nu.b"
QString highlightFile(Board board, QChar label); // "kp/A.b", "kp/space.b", "kp/n/c.b"
QString handsFile();                             // "kp/kh.g"
QString fingerFile(int finger);                  // "kp/l0.g".."kp/l4.g", "kp/r0.g".."kp/r4.g"

} // namespace tesmara::keyboard
