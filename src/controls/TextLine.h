#pragma once

#include <QString>

#include <array>

namespace tesmara {

// Everything the practice line control knows about its line, without any
// drawing: the characters, where each one sits (in twips of the text area),
// their colours, the caret and the layout kind. The widget paints this state;
// the typing engine changes it directly, and the observer tells the widget
// which part of the line to repaint.
class TextLine {
public:
    using Colour = quint32; // 0xBBGGRR, red in the low byte

    static constexpr int kCells = 60;
    static constexpr Colour kDimMarked = 150;     // dark red
    static constexpr Colour kDimPlain = 0x9F9F9F; // grey
    static constexpr int kCaretStartTwips = 15;   // caret of an empty line

    // Size steps of the control: heights, font and caret in twips/points.
    struct Geometry {
        int controlHeight;
        int areaHeight;
        int fontPoints;
        int caretBottom;
    };
    static const Geometry& geometry(int windowSize);

    // Told about changes so that only what changed is repainted. Ranges are
    // in twips of the text area, left edge inclusive, right edge exclusive.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void lineDirty(int fromTwips, int toTwips) = 0;
        virtual void lineChanged() = 0; // everything (colours, size, font)
        virtual void enabledChanged(bool enabled) = 0;
        virtual void sizeChanged() = 0; // Window_Size applied
        // The control's width in twips, asked when the line needs it.
        virtual int observedWidthTwips() const = 0;
    };

    TextLine();

    void setObserver(Observer* observer) { m_observer = observer; }

    // Properties.
    const QString& Text() const { return m_text; }
    void setText(const QString& text);
    int TextType() const { return m_textType; }
    void setTextType(int type);
    int Window_Size() const { return m_windowSize; }
    void setWindow_Size(int size);
    Colour BackColor() const { return m_backColor; }
    void setBackColor(Colour colour);
    Colour ForeColor() const { return m_foreColor; }
    void setForeColor(Colour colour);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool Text_Full() const { return m_textFull; }
    void setText_Full(bool full) { m_textFull = full; }
    bool SetSame() const { return m_setSame; }
    void setSetSame(bool same) { m_setSame = same; }
    bool NowColor() const { return m_nowColor; }
    void setNowColor(bool now);

    // Methods of the control. Indexes are 1-based like the text they index.
    QString GetText(qint16& start, qint16& length) const;
    qint16 CountLen() const { return qint16(m_text.size()); }
    void SetColor(qint16 index, Colour colour);
    QString Get_Set() const;
    void Set_Set(const QString& list);

    // The control as a one-line input field: a key-down with Ctrl or Alt
    // held arms the modifier flag; typeKey applies one key press (8 removes,
    // 0 and 13 add nothing) and says whether the text changed.
    void keyDown(int shift);
    bool modifierHeld() const { return m_modifier; }
    bool typeKey(int c);

    // Layout read-outs for painting.
    // The control's width (Text_Full compares with it): the observing
    // widget's, or the one set here for a line without a widget.
    int widthTwips() const { return m_observer ? m_observer->observedWidthTwips() : m_widthTwips; }
    void setWidthTwips(int width) { m_widthTwips = width; }
    qint16 cellWidth() const { return m_cellWidth; }
    qint16 position(int index0) const { return m_positions[index0]; }
    Colour colour(int index0) const { return m_colours[index0]; }
    // The colour a character is painted in: its own on the active line,
    // otherwise dark red when marked and grey when not.
    Colour drawColour(int index0) const;
    // The cell a character owns, [from, to) in twips; the glyph is clipped to it.
    int cellStart(int index0) const { return m_positions[index0]; }
    int cellEnd(int index0) const;
    int caretX() const { return m_caretX; }
    int maxLength() const { return m_textType == 0 ? 30 : kCells; }

    // How many leading characters of text fit a line `widthTwips` wide at
    // size step `windowSize` laid out in mixed cells (at most 60): adding
    // them one by one until the line is full by width and taking the one
    // that overflowed off again.
    static int mixedFit(const QString& text, int windowSize, int widthTwips);
    // The same for this line, at its size and width.
    int mixedFit(const QString& text) const { return mixedFit(text, m_windowSize, widthTwips()); }

    // Half and full advance of the mixed layout (the half-width and
    // full-width cells) at a size step, and at this line's.
    static int halfAdvance(int windowSize);
    static int fullAdvance(int windowSize);
    int halfAdvance() const { return halfAdvance(m_windowSize); }
    int fullAdvance() const { return fullAdvance(m_windowSize); }

    // How the line judges a character narrow (one byte in the Chinese code
    // page): ASCII and the half-width forms.
    static bool isSingleByte(QChar c)
    {
        const char16_t u = c.unicode();
        return u < 0x80 || (u >= 0xFF61 && u <= 0xFFDC) || (u >= 0xFFE8 && u <= 0xFFEE);
    }

private:
    void layout();
    void relayoutAndReport();
    void report(int from, int to);

    QString m_text;
    int m_textType = -1;
    int m_windowSize = 0;
    qint16 m_cellWidth = 0;
    std::array<qint16, kCells> m_positions{};
    std::array<Colour, kCells> m_colours{};
    int m_caretX = kCaretStartTwips;
    int m_widthTwips = 0;
    Colour m_backColor = 0xFFFFFF;
    Colour m_foreColor = 0;
    bool m_enabled = true;
    bool m_textFull = false;
    bool m_setSame = false;
    bool m_nowColor = false;
    bool m_modifier = false;
    bool m_reapply = false;
    Observer* m_observer = nullptr;
};

} // namespace tesmara
