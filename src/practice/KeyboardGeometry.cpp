#include "practice/KeyboardGeometry.h"

namespace tesmara::keyboard {

namespace {

// Keys are laid out in quarters of a key pitch; a cap is its cell less the
// gap between caps, and the board has a rim around the keys.
struct Layout {
    int quarter; // pixels per quarter pitch
    int gap;
    int rim;
    int columns; // quarters across
    int rows;
};
constexpr Layout kMain{12, 6, 14, 60, 5};
constexpr Layout kPad{13, 6, 14, 16, 5};

const Layout& layoutOf(Board board)
{
    return board == Board::Main ? kMain : kPad;
}

struct KeyShape {
    const char16_t* caption;
    const char16_t* shifted;
    char label;
    int width; // quarters
    int finger;
    bool bump = false;
};

QRect cell(const Layout& l, int row, int column, int width, int height = 1)
{
    const int pitch = 4 * l.quarter;
    return QRect(l.rim + column * l.quarter + l.gap / 2, l.rim + row * pitch + l.gap / 2, width * l.quarter - l.gap,
                 height * pitch - l.gap);
}

Key makeKey(const KeyShape& s, const QRect& rect)
{
    Key k;
    k.label = s.label ? QChar::fromLatin1(s.label) : QChar();
    k.caption = QString::fromUtf16(s.caption);
    k.shifted = s.shifted ? QString::fromUtf16(s.shifted) : QString();
    k.rect = rect;
    k.finger = s.finger;
    k.bump = s.bump;
    return k;
}

QList<Key> mainKeys()
{
    // The main block of a 104-key board, row by row, with the finger that
    // strikes each key in touch typing.
    static const QList<QList<KeyShape>> rows = {
        {{u"`", u"~", 0, 4, LeftLittle},
         {u"1", u"!", '1', 4, LeftLittle},
         {u"2", u"@", '2', 4, LeftRing},
         {u"3", u"#", '3', 4, LeftMiddle},
         {u"4", u"$", '4', 4, LeftIndex},
         {u"5", u"%", '5', 4, LeftIndex},
         {u"6", u"^", '6', 4, RightIndex},
         {u"7", u"&", '7', 4, RightIndex},
         {u"8", u"*", '8', 4, RightMiddle},
         {u"9", u"(", '9', 4, RightRing},
         {u"0", u")", '0', 4, RightLittle},
         {u"-", u"_", 0, 4, RightLittle},
         {u"=", u"+", 0, 4, RightLittle},
         {u"Backspace", nullptr, 0, 8, RightLittle}},
        {{u"Tab", nullptr, 0, 6, LeftLittle},
         {u"Q", nullptr, 'Q', 4, LeftLittle},
         {u"W", nullptr, 'W', 4, LeftRing},
         {u"E", nullptr, 'E', 4, LeftMiddle},
         {u"R", nullptr, 'R', 4, LeftIndex},
         {u"T", nullptr, 'T', 4, LeftIndex},
         {u"Y", nullptr, 'Y', 4, RightIndex},
         {u"U", nullptr, 'U', 4, RightIndex},
         {u"I", nullptr, 'I', 4, RightMiddle},
         {u"O", nullptr, 'O', 4, RightRing},
         {u"P", nullptr, 'P', 4, RightLittle},
         {u"[", u"{", 0, 4, RightLittle},
         {u"]", u"}", 0, 4, RightLittle},
         {u"\\", u"|", 0, 6, RightLittle}},
        {{u"Caps Lock", nullptr, 0, 7, LeftLittle},
         {u"A", nullptr, 'A', 4, LeftLittle},
         {u"S", nullptr, 'S', 4, LeftRing},
         {u"D", nullptr, 'D', 4, LeftMiddle},
         {u"F", nullptr, 'F', 4, LeftIndex, true},
         {u"G", nullptr, 'G', 4, LeftIndex},
         {u"H", nullptr, 'H', 4, RightIndex},
         {u"J", nullptr, 'J', 4, RightIndex, true},
         {u"K", nullptr, 'K', 4, RightMiddle},
         {u"L", nullptr, 'L', 4, RightRing},
         {u";", u":", 0, 4, RightLittle},
         {u"'", u"\"", 0, 4, RightLittle},
         {u"Enter", nullptr, 0, 9, RightLittle}},
        {{u"Shift", nullptr, 0, 9, LeftLittle},
         {u"Z", nullptr, 'Z', 4, LeftLittle},
         {u"X", nullptr, 'X', 4, LeftRing},
         {u"C", nullptr, 'C', 4, LeftMiddle},
         {u"V", nullptr, 'V', 4, LeftIndex},
         {u"B", nullptr, 'B', 4, LeftIndex},
         {u"N", nullptr, 'N', 4, RightIndex},
         {u"M", nullptr, 'M', 4, RightIndex},
         {u",", u"<", 0, 4, RightMiddle},
         {u".", u">", 0, 4, RightRing},
         {u"/", u"?", 0, 4, RightLittle},
         {u"Shift", nullptr, 0, 11, RightLittle}},
        {{u"Ctrl", nullptr, 0, 5, NoFinger},
         {u"Win", nullptr, 0, 5, NoFinger},
         {u"Alt", nullptr, 0, 5, NoFinger},
         {u"", nullptr, ' ', 25, LeftThumb},
         {u"Alt", nullptr, 0, 5, NoFinger},
         {u"Win", nullptr, 0, 5, NoFinger},
         {u"Menu", nullptr, 0, 5, NoFinger},
         {u"Ctrl", nullptr, 0, 5, NoFinger}},
    };
    QList<Key> keys;
    for (int r = 0; r < rows.size(); ++r) {
        int column = 0;
        for (const KeyShape& s : rows[r]) {
            keys << makeKey(s, cell(kMain, r, column, s.width));
            column += s.width;
        }
    }
    return keys;
}

QList<Key> padKeys()
{
    // The number pad: + and Enter are two rows high, 0 two keys wide.
    struct Placed {
        KeyShape shape;
        int row;
        int column; // quarters
        int height; // rows
    };
    static const QList<Placed> placed = {
        {{u"Num", nullptr, 0, 4, NoFinger}, 0, 0, 1},         {{u"/", nullptr, 'c', 4, RightMiddle}, 0, 4, 1},
        {{u"*", nullptr, 'x', 4, RightRing}, 0, 8, 1},        {{u"-", nullptr, '-', 4, RightLittle}, 0, 12, 1},
        {{u"7", nullptr, '7', 4, RightIndex}, 1, 0, 1},       {{u"8", nullptr, '8', 4, RightMiddle}, 1, 4, 1},
        {{u"9", nullptr, '9', 4, RightRing}, 1, 8, 1},        {{u"+", nullptr, '+', 4, RightLittle}, 1, 12, 2},
        {{u"4", nullptr, '4', 4, RightIndex}, 2, 0, 1},       {{u"5", nullptr, '5', 4, RightMiddle, true}, 2, 4, 1},
        {{u"6", nullptr, '6', 4, RightRing}, 2, 8, 1},        {{u"1", nullptr, '1', 4, RightIndex}, 3, 0, 1},
        {{u"2", nullptr, '2', 4, RightMiddle}, 3, 4, 1},      {{u"3", nullptr, '3', 4, RightRing}, 3, 8, 1},
        {{u"Enter", nullptr, 'e', 4, RightLittle}, 3, 12, 2}, {{u"0", nullptr, '0', 8, RightThumb}, 4, 0, 1},
        {{u".", nullptr, 'p', 4, RightRing}, 4, 8, 1},
    };
    QList<Key> keys;
    for (const Placed& p : placed) {
        keys << makeKey(p.shape, cell(kPad, p.row, p.column, p.shape.width, p.height));
    }
    return keys;
}

} // namespace

const QList<Key>& keys(Board board)
{
    static const QList<Key> main = mainKeys();
    static const QList<Key> pad = padKeys();
    return board == Board::Main ? main : pad;
}

QString padSign(QChar label)
{
    switch (label.unicode()) {
    case u'c':
        return QStringLiteral("/");
    case u'x':
        return QStringLiteral("*");
    case u'p':
        return QStringLiteral(".");
    case u'e':
        return QStringLiteral("回车");
    default:
        return QString(label);
    }
}

const Key* findKey(Board board, QChar label)
{
    if (label.isNull()) {
        return nullptr;
    }
    for (const Key& k : keys(board)) {
        if (k.label == label) {
            return &k;
        }
    }
    return nullptr;
}

QSize boardSize(Board board)
{
    const Layout& l = layoutOf(board);
    return QSize(2 * l.rim + l.columns * l.quarter, 2 * l.rim + l.rows * 4 * l.quarter);
}

QRect highlightRect(Board board, QChar label)
{
    const Key* key = findKey(board, label);
    return key ? key->rect.adjusted(-kGlow, -kGlow, kGlow, kGlow) : QRect();
}

QSize handsSize()
{
    return QSize(600, 190);
}

QString boardFile(Board board)
{
    return board == Board::Main ? QStringLiteral("kp/k.j") : QStringLiteral("kp/n/nu.b");
}

QString highlightFile(Board board, QChar label)
{
    if (board == Board::NumberPad) {
        return QStringLiteral("kp/n/") + label + QStringLiteral(".b");
    }
    if (label == QLatin1Char(' ')) {
        return QStringLiteral("kp/space.b");
    }
    return QStringLiteral("kp/") + label + QStringLiteral(".b");
}

QString handsFile()
{
    return QStringLiteral("kp/kh.g");
}

QString fingerFile(int finger)
{
    return finger < 5 ? QStringLiteral("kp/l%1.g").arg(finger) : QStringLiteral("kp/r%1.g").arg(finger - 5);
}

} // namespace tesmara::keyboard
