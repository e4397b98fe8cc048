#pragma once

#include "controls/TextLine.h"

#include <QFont>
#include <QRawFont>
#include <QTimer>
#include <QWidget>

namespace tesmara {

// One drawn line of practice text: a reference line of a practice, or the
// line the user types into. Each character sits in its own cell (TextLine
// lays them out) and has its own colour; the active line shows the colours,
// the others a dimmed scheme. A blinking caret follows the last character
// and the input method's candidate window is kept at it.
//
// Every key becomes a KeyDown, then (for a character, Backspace or Enter)
// a KeyPress the holder may change or cancel, then the line's own step
// (Backspace removes, a character is added) and Change when the text
// changed. Text committed by an input method arrives as one KeyPress per
// character, in order; text still being composed is never typed.
class Text_Data : public QWidget, private TextLine::Observer {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int TextType READ TextType WRITE setTextType)
    Q_PROPERTY(int Window_Size READ Window_Size WRITE setWindow_Size)
    Q_PROPERTY(bool Text_Full READ Text_Full WRITE setText_Full)
    Q_PROPERTY(bool SetSame READ SetSame WRITE setSetSame)
    Q_PROPERTY(bool NowColor READ NowColor WRITE setNowColor)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledState)
    Q_PROPERTY(QFont Font READ Font WRITE setFont_)
public:
    using Colour = TextLine::Colour;
    static constexpr int kBlinkMs = 600;

    explicit Text_Data(QWidget* parent = nullptr);
    ~Text_Data() override;

    // The line's state; the typing engine works on it directly.
    TextLine& line() { return m_line; }
    const TextLine& line() const { return m_line; }

    QString Text() const { return m_line.Text(); }
    void setText(const QString& text) { m_line.setText(text); }
    int TextType() const { return m_line.TextType(); }
    void setTextType(int type) { m_line.setTextType(type); }
    int Window_Size() const { return m_line.Window_Size(); }
    void setWindow_Size(int size) { m_line.setWindow_Size(size); }
    bool Text_Full() const { return m_line.Text_Full(); }
    void setText_Full(bool full) { m_line.setText_Full(full); }
    bool SetSame() const { return m_line.SetSame(); }
    void setSetSame(bool same) { m_line.setSetSame(same); }
    bool NowColor() const { return m_line.NowColor(); }
    void setNowColor(bool now) { m_line.setNowColor(now); }
    uint BackColor() const { return m_line.BackColor(); }
    void setBackColor(uint colour) { m_line.setBackColor(colour); }
    uint ForeColor() const { return m_line.ForeColor(); }
    void setForeColor(uint colour) { m_line.setForeColor(colour); }
    bool Enabled() const { return m_line.Enabled(); }
    void setEnabledState(bool enabled) { m_line.setEnabled(enabled); }
    QFont Font() const { return m_font; }
    void setFont_(const QFont& font);

    QString GetText(qint16& start, qint16& length) const { return m_line.GetText(start, length); }
    qint16 CountLen() const { return m_line.CountLen(); }
    void SetColor(qint16 index, Colour colour) { m_line.SetColor(index, colour); }
    QString Get_Set() const { return m_line.Get_Set(); }
    void Set_Set(const QString& list) { m_line.Set_Set(list); }

    // The caret: its rectangle in the widget, whether it is shown, and one
    // blink (what the 600 ms timer does; tests call it directly).
    QRect caretRect() const;
    bool caretShown() const { return m_caretShown; }
    bool caretBlinking() const { return m_blink.isActive(); }
    void blinkCaret();
    // Text the input method is still composing (drawn faintly at the caret).
    QString preeditText() const { return m_preedit; }

    // Twips of the line to pixels of the widget.
    static double twipsToPx(int twips) { return twips / 15.0; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Windows key codes (F1 = 112) and the shift state (1 Shift, 2 Ctrl, 4 Alt).
    void KeyDown(int KeyCode, int Shift);
    // A character code; set it to 0 to cancel or change it (direct connections).
    void KeyPress(int& KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void Change();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // TextLine::Observer
    void lineDirty(int fromTwips, int toTwips) override;
    void lineChanged() override;
    void enabledChanged(bool enabled) override;
    void sizeChanged() override;
    int observedWidthTwips() const override { return width() * 15; }

    void pressKey(int c);
    void applyFontSize();
    void caretMaybeMoved();
    void updateTwips(int fromTwips, int toTwips);
    QRectF textArea() const;
    QRect caretUpdateRect() const;
    QRect preeditRect() const;

    TextLine m_line;
    QFont m_font;
    QRawFont m_rawFont; // the line font's glyphs, for drawing without shaping
    QTimer m_blink;
    bool m_caretShown = false;
    int m_lastCaretX = TextLine::kCaretStartTwips;
    QString m_preedit;
    bool m_syncingEnabled = false;
};

// Windows virtual key code and shift state of a Qt key event.
int windowsKeyCode(int qtKey);
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace tesmara
