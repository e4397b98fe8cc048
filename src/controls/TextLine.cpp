#include "controls/TextLine.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace tesmara {

namespace {

constexpr TextLine::Geometry kGeometry[3] = {
    {405, 375, 18, 315},
    {480, 450, 22, 390},
    {600, 600, 26, 510},
};

// Cell widths by layout kind (full-width, half-width) and size step.
constexpr qint16 kFullCell[3] = {375, 435, 540};
constexpr qint16 kHalfCell[3] = {188, 215, 270};

// A narrow character inside a full-width cell is set off so that it sits in
// the middle: X = (i - 1) * A + 15 + i * B, drawn C wide.
struct NarrowInWide {
    int a, b, c;
};
constexpr NarrowInWide kNarrowInWide[3] = {{281, 93, 281}, {325, 110, 325}, {415, 127, 405}};

// Half the caret's drawn width plus a little, so the old caret is wiped.
constexpr int kCaretMargin = 30;

int clampSize(int size)
{
    return std::clamp(size, 0, 2);
}

} // namespace

const TextLine::Geometry& TextLine::geometry(int windowSize)
{
    return kGeometry[clampSize(windowSize)];
}

TextLine::TextLine() = default;

int TextLine::halfAdvance(int windowSize)
{
    return kHalfCell[clampSize(windowSize)];
}

int TextLine::fullAdvance(int windowSize)
{
    return kFullCell[clampSize(windowSize)];
}

int TextLine::mixedFit(const QString& text, int windowSize, int widthTwips)
{
    int x = 15;
    int n = 0;
    while (n < text.size() && n < kCells) {
        const int next = x + (isSingleByte(text.at(n)) ? halfAdvance(windowSize) : fullAdvance(windowSize));
        if (next > widthTwips) {
            break;
        }
        x = next;
        ++n;
    }
    return n;
}

TextLine::Colour TextLine::drawColour(int index0) const
{
    const Colour own = m_colours[index0];
    if (m_nowColor) {
        return own;
    }
    return own != 0 ? kDimMarked : kDimPlain;
}

int TextLine::cellEnd(int index0) const
{
    const int start = m_positions[index0];
    const bool narrow = index0 < m_text.size() && isSingleByte(m_text.at(index0));
    switch (m_textType) {
    case 0:
        return start + (narrow ? kNarrowInWide[clampSize(m_windowSize)].c : m_cellWidth);
    case 2:
        if (m_setSame && index0 + 1 < kCells && m_positions[index0 + 1] > start) {
            return m_positions[index0 + 1];
        }
        return start + (narrow ? halfAdvance() : fullAdvance());
    default:
        return start + m_cellWidth;
    }
}

void TextLine::layout()
{
    const int len = int(m_text.size());
    if (len == 0) {
        m_colours.fill(0);
        m_caretX = kCaretStartTwips;
        return;
    }
    const int size = clampSize(m_windowSize);
    if (m_textType == 0) {
        const NarrowInWide& n = kNarrowInWide[size];
        int end = 0;
        for (int i = 1; i <= len; ++i) {
            int x;
            if (isSingleByte(m_text.at(i - 1))) {
                x = (i - 1) * n.a + 15 + i * n.b;
                end = x + n.c;
            } else {
                x = (i - 1) * m_cellWidth + 15;
                end = x + m_cellWidth;
            }
            m_positions[i - 1] = qint16(x);
        }
        std::fill(m_colours.begin() + std::min(len, 30), m_colours.begin() + 30, Colour(0));
        m_caretX = end + 30;
        return;
    }
    if (m_textType == 2 && m_setSame) {
        // Positions were taken over from the reference line above. Marks
        // past the end go too, so a character typed again where a wrong one
        // was taken back does not show the old mark.
        if (len < kCells) {
            m_caretX = m_positions[len];
        }
        std::fill(m_colours.begin() + len, m_colours.end(), Colour(0));
        return;
    }
    if (m_textType == 2) {
        m_textFull = false;
        int x = 15;
        for (int i = 0; i < len; ++i) {
            m_positions[i] = qint16(x);
            x += isSingleByte(m_text.at(i)) ? kHalfCell[size] : kFullCell[size];
        }
        if (x > widthTwips()) {
            m_textFull = true;
        }
        std::fill(m_colours.begin() + len, m_colours.end(), Colour(0));
        m_caretX = x + 30;
        return;
    }
    // Half-width cells; also any layout kind that is not 0 or 2.
    for (int i = 0; i < len; ++i) {
        m_positions[i] = qint16(i * m_cellWidth + 15);
    }
    std::fill(m_colours.begin() + len, m_colours.end(), Colour(0));
    m_caretX = (len - 1) * m_cellWidth + 15 + m_cellWidth + 30;
}

void TextLine::report(int from, int to)
{
    if (m_observer && from < to) {
        m_observer->lineDirty(from, to);
    }
}

void TextLine::setText(const QString& text)
{
    const QString cut = text.size() > maxLength() ? text.left(maxLength()) : text;
    if (!m_observer) {
        m_text = cut;
        layout();
        return;
    }
    // Remember what is on screen so that only the cells that differ are
    // repainted: typing one character repaints one cell and the caret.
    const QString oldText = m_text;
    const int oldLen = int(oldText.size());
    std::array<int, kCells> oldStart{};
    std::array<int, kCells> oldEnd{};
    std::array<Colour, kCells> oldDraw{};
    for (int i = 0; i < oldLen; ++i) {
        oldStart[i] = cellStart(i);
        oldEnd[i] = cellEnd(i);
        oldDraw[i] = drawColour(i);
    }
    const int oldCaret = m_caretX;

    m_text = cut;
    layout();

    const int newLen = int(m_text.size());
    int from = std::numeric_limits<int>::max();
    int to = std::numeric_limits<int>::min();
    auto take = [&](int a, int b) {
        from = std::min(from, a);
        to = std::max(to, b);
    };
    for (int i = 0; i < std::max(oldLen, newLen); ++i) {
        const bool inOld = i < oldLen;
        const bool inNew = i < newLen;
        if (inOld && inNew && oldText.at(i) == m_text.at(i) && oldStart[i] == cellStart(i) && oldEnd[i] == cellEnd(i) &&
            oldDraw[i] == drawColour(i)) {
            continue;
        }
        if (inOld) {
            take(oldStart[i], oldEnd[i]);
        }
        if (inNew) {
            take(cellStart(i), cellEnd(i));
        }
    }
    if (oldCaret != m_caretX) {
        take(oldCaret - kCaretMargin, oldCaret + kCaretMargin);
        take(m_caretX - kCaretMargin, m_caretX + kCaretMargin);
    }
    report(from, to);
}

void TextLine::relayoutAndReport()
{
    m_text = m_text.left(maxLength());
    layout();
    if (m_observer) {
        m_observer->lineChanged();
    }
}

void TextLine::setTextType(int type)
{
    if (type == m_textType && !m_reapply) {
        return;
    }
    m_textType = type;
    const int size = clampSize(m_windowSize);
    if (type == 0) {
        m_cellWidth = kFullCell[size];
    } else if (type == 1) {
        m_cellWidth = kHalfCell[size];
    }
    relayoutAndReport();
}

void TextLine::setWindow_Size(int size)
{
    if (size == m_windowSize || size < 0 || size > 2) {
        return;
    }
    m_windowSize = size;
    if (m_observer) {
        m_observer->sizeChanged();
    }
    m_reapply = true;
    setTextType(m_textType);
    m_reapply = false;
}

void TextLine::setBackColor(Colour colour)
{
    m_backColor = colour;
    if (m_observer) {
        m_observer->lineChanged();
    }
}

void TextLine::setForeColor(Colour colour)
{
    m_foreColor = colour;
    m_colours.fill(colour);
    if (m_observer) {
        m_observer->lineChanged();
    }
}

void TextLine::setEnabled(bool enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (m_observer) {
        m_observer->enabledChanged(enabled);
    }
}

void TextLine::setNowColor(bool now)
{
    if (now == m_nowColor) {
        return;
    }
    m_nowColor = now;
    if (m_observer && !m_text.isEmpty()) {
        int from = cellStart(0);
        int to = cellEnd(0);
        for (int i = 1; i < m_text.size(); ++i) {
            from = std::min(from, cellStart(i));
            to = std::max(to, cellEnd(i));
        }
        report(from, to);
    }
}

QString TextLine::GetText(qint16& start, qint16& length) const
{
    if (start < 1) {
        start = 1;
    }
    if (length < 1) {
        length = 1;
    }
    return m_text.mid(start - 1, length);
}

void TextLine::SetColor(qint16 index, Colour colour)
{
    if (index < 1 || index > kCells) {
        return;
    }
    m_colours[index - 1] = colour;
    if (index <= m_text.size()) {
        report(cellStart(index - 1), cellEnd(index - 1));
    }
}

QString TextLine::Get_Set() const
{
    QString list;
    list.reserve(m_text.size() * 5);
    for (int i = 0; i < m_text.size(); ++i) {
        if (i > 0) {
            list += QLatin1Char('|');
        }
        list += QString::number(m_positions[i]);
    }
    return list;
}

void TextLine::Set_Set(const QString& list)
{
    const QStringList parts = list.split(QLatin1Char('|'));
    for (int i = 0; i < kCells; ++i) {
        int value = 0;
        if (i < parts.size()) {
            value = std::clamp(int(parts.at(i).trimmed().toDouble()), -32768, 32767);
        }
        m_positions[i] = qint16(value);
    }
}

void TextLine::keyDown(int shift)
{
    if (shift != 0 && shift != 1) {
        m_modifier = true;
    }
}

bool TextLine::typeKey(int c)
{
    const QString before = m_text;
    if (c == 8) {
        if (!m_text.isEmpty()) {
            setText(m_text.left(m_text.size() - 1));
        }
    } else if (c != 0 && c != 13 && !m_modifier) {
        setText(m_text + QChar(char16_t(c)));
    }
    m_modifier = false;
    return m_text != before;
}

} // namespace tesmara
