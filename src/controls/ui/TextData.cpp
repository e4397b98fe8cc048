#include "controls/ui/TextData.h"

#include "controls/ui/Skin.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <vector>

namespace tesmara {

namespace {

// The text area sits this far inside the control on every side.
constexpr int kInsetTwips = 30;
// Characters are printed with their top slightly above the text area.
constexpr int kGlyphTopTwips = -10;
constexpr int kCaretTopTwips = 30;
constexpr double kCaretWidthPx = 2.0;
constexpr double kIdeographicAscent = 0.88;
constexpr int kProcessKey = 229;

QColor toQColor(TextLine::Colour c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// Border shades derived from the back colour: a darker outer line and a
// lighter inner one, so the line reads as a slightly sunken field.
QColor shade(TextLine::Colour back, int factor)
{
    return toQColor(back).darker(factor);
}

// The practice text uses the skin's face: every character sits in its own
// cell, so a second, monospaced face would only cost a font load.
QFont defaultFont()
{
    QFont font;
    font.setFamilies(skin::fontFamilies());
    return font;
}

} // namespace

int windowsKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return qtKey; // same codes: 65..90
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return qtKey; // 48..57
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    default:
        return qtKey & 0xFFFF;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= 4;
    }
    return shift;
}

Text_Data::Text_Data(QWidget* parent) : QWidget(parent), m_font(defaultFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    m_blink.setInterval(kBlinkMs);
    connect(&m_blink, &QTimer::timeout, this, &Text_Data::blinkCaret);
    m_line.setObserver(this);

    // Stored defaults, in the order a saved form applies them.
    m_line.setBackColor(0xF0F0F0);
    m_line.setEnabled(true);
    m_line.setTextType(0);
    m_line.setWindow_Size(0);
    m_line.setSetSame(false);
    applyFontSize();
    m_line.setForeColor(0);
    m_line.setText(QString());
    setFixedHeight(int(twipsToPx(TextLine::geometry(0).controlHeight)));
}

Text_Data::~Text_Data()
{
    m_line.setObserver(nullptr);
}

QSize Text_Data::sizeHint() const
{
    const int cells = m_line.TextType() == 0 ? 30 : 60;
    const int cell = m_line.cellWidth() > 0 ? m_line.cellWidth() : 375;
    const int widthTwips = cells * cell + 2 * kInsetTwips + 60;
    return QSize(int(twipsToPx(widthTwips)), int(twipsToPx(TextLine::geometry(Window_Size()).controlHeight)));
}

QSize Text_Data::minimumSizeHint() const
{
    return QSize(60, int(twipsToPx(TextLine::geometry(Window_Size()).controlHeight)));
}

void Text_Data::setFont_(const QFont& font)
{
    m_font = font;
    m_rawFont = QRawFont();
    update();
}

void Text_Data::applyFontSize()
{
    // Points of the size step at the standard 96 dpi, kept in pixels so the
    // glyphs keep their ratio to the twip cells on any screen.
    const int points = TextLine::geometry(Window_Size()).fontPoints;
    m_font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    // Made when the line is first drawn: a window sets the size step after
    // making its lines, and each size is a font of its own to load.
    m_rawFont = QRawFont();
}

QRectF Text_Data::textArea() const
{
    const double inset = twipsToPx(kInsetTwips);
    return QRectF(inset, inset, width() - 2 * inset, height() - 2 * inset);
}

QRect Text_Data::caretRect() const
{
    const double inset = twipsToPx(kInsetTwips);
    const double x = inset + twipsToPx(m_line.caretX());
    const double top = inset + twipsToPx(kCaretTopTwips);
    const double bottom = inset + twipsToPx(TextLine::geometry(Window_Size()).caretBottom);
    return QRectF(x, top, kCaretWidthPx, bottom - top).toAlignedRect();
}

QRect Text_Data::caretUpdateRect() const
{
    return caretRect().adjusted(-1, 0, 1, 0);
}

QRect Text_Data::preeditRect() const
{
    if (m_preedit.isEmpty()) {
        return QRect();
    }
    const QRect caret = caretRect();
    const double w = QFontMetricsF(m_font).horizontalAdvance(m_preedit) + 4;
    return QRect(caret.left(), 0, int(std::ceil(w)), height());
}

void Text_Data::updateTwips(int fromTwips, int toTwips)
{
    const double inset = twipsToPx(kInsetTwips);
    const int left = int(std::floor(inset + twipsToPx(fromTwips))) - 1;
    const int right = int(std::ceil(inset + twipsToPx(toTwips))) + 1;
    update(QRect(left, 0, right - left, height()));
}

void Text_Data::caretMaybeMoved()
{
    if (m_line.caretX() == m_lastCaretX) {
        return;
    }
    m_lastCaretX = m_line.caretX();
    if (hasFocus()) {
        if (QInputMethod* im = QGuiApplication::inputMethod()) {
            im->update(Qt::ImCursorRectangle);
        }
    }
    if (!m_preedit.isEmpty()) {
        update();
    }
}

void Text_Data::lineDirty(int fromTwips, int toTwips)
{
    updateTwips(fromTwips, toTwips);
    caretMaybeMoved();
}

void Text_Data::lineChanged()
{
    update();
    caretMaybeMoved();
}

void Text_Data::enabledChanged(bool enabled)
{
    if (!m_syncingEnabled) {
        m_syncingEnabled = true;
        QWidget::setEnabled(enabled);
        m_syncingEnabled = false;
    }
    if (!enabled) {
        m_blink.stop();
        m_caretShown = false;
        m_preedit.clear();
    } else if (hasFocus()) {
        m_caretShown = true;
        m_blink.start();
    }
    update();
}

void Text_Data::sizeChanged()
{
    applyFontSize();
    setFixedHeight(int(twipsToPx(TextLine::geometry(Window_Size()).controlHeight)));
    update();
}

void Text_Data::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !m_syncingEnabled && isEnabled() != m_line.Enabled()) {
        // Enabled through QWidget directly (or by a disabled parent): keep
        // the line's state in step.
        m_syncingEnabled = true;
        m_line.setEnabled(isEnabled());
        m_syncingEnabled = false;
    }
    QWidget::changeEvent(event);
}

void Text_Data::blinkCaret()
{
    m_caretShown = !m_caretShown;
    update(caretUpdateRect());
}

void Text_Data::focusInEvent(QFocusEvent* event)
{
    if (m_line.Enabled()) {
        m_caretShown = true;
        m_blink.start();
        update(caretUpdateRect());
    }
    QWidget::focusInEvent(event);
}

void Text_Data::focusOutEvent(QFocusEvent* event)
{
    m_blink.stop();
    m_caretShown = false;
    if (!m_preedit.isEmpty()) {
        m_preedit.clear();
        update();
    }
    update(caretUpdateRect());
    QWidget::focusOutEvent(event);
}

void Text_Data::pressKey(int c)
{
    emit KeyPress(c);
    if (m_line.typeKey(c)) {
        emit Change();
    }
}

void Text_Data::keyPressEvent(QKeyEvent* event)
{
    const int shift = shiftState(event->modifiers());
    emit KeyDown(windowsKeyCode(event->key()), shift);
    m_line.keyDown(shift);

    bool typed = true;
    if (event->key() == Qt::Key_Backspace) {
        pressKey(8);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        pressKey(13);
    } else {
        // Control characters (Ctrl+letter, Esc, Delete) are not typed text.
        typed = false;
        for (QChar ch : event->text()) {
            if (ch.unicode() >= 32 && ch.unicode() != 127) {
                pressKey(ch.unicode());
                typed = true;
            }
        }
    }
    // Keys that type nothing (F5, F9, Ctrl+S ...) go on to the window.
    event->setAccepted(typed);
}

void Text_Data::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat()) {
        emit KeyUp(windowsKeyCode(event->key()), shiftState(event->modifiers()));
    }
    event->accept();
}

void Text_Data::inputMethodEvent(QInputMethodEvent* event)
{
    const QRect oldPreedit = preeditRect();
    m_preedit = event->preeditString();
    if (!oldPreedit.isNull()) {
        update(oldPreedit);
    }
    // Keys the input method consumed never reach the line; like the
    // system's "processed by the input method" key (229) they come down
    // with no Ctrl or Alt held, so a Ctrl combination pressed earlier does
    // not swallow the committed text.
    if (!event->commitString().isEmpty()) {
        emit KeyDown(kProcessKey, 0);
    }
    // Each committed character is one key press, in order. A row that
    // fills up part-way hands the rest on (the holder decides where).
    for (QChar ch : event->commitString()) {
        if (ch.unicode() >= 32 && ch.unicode() != 127) {
            pressKey(ch.unicode());
        }
    }
    if (!m_preedit.isEmpty()) {
        update(preeditRect());
    }
    event->accept();
}

QVariant Text_Data::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return m_line.Enabled();
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle:
        return caretRect();
    case Qt::ImFont:
        return m_font;
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return int(m_line.Text().size());
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
    case Qt::ImTextBeforeCursor:
    case Qt::ImTextAfterCursor:
        // The line is not edited in place; an input method gets nothing to
        // rewrite.
        return QString();
    case Qt::ImMaximumTextLength:
        return m_line.maxLength();
    case Qt::ImHints:
        return int(Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void Text_Data::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    const TextLine::Colour back = m_line.BackColor();
    p.fillRect(dirty, toQColor(back));

    // Frame: a darker outer line, a lighter inner one.
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(shade(back, 135), 1.0));
    p.drawRect(outer);
    p.setPen(QPen(toQColor(back).lighter(104), 1.0));
    p.drawRect(outer.adjusted(1, 1, -1, -1));

    const QRectF area = textArea();
    const double inset = twipsToPx(kInsetTwips);
    // The ideographic em box (top at 0.88 em above the baseline) is what
    // must start at the glyph top; the font's own ascent includes line gap.
    const double em = m_font.pixelSize() > 0 ? m_font.pixelSize() : QFontMetricsF(m_font).height();
    const double baseline = inset + twipsToPx(kGlyphTopTwips) + kIdeographicAscent * em;
    p.setFont(m_font);
    const QString& text = m_line.Text();
    const bool skipSpaces = m_line.TextType() == 2 && m_line.SetSame();
    const int fullCell = m_line.fullAdvance();
    struct GlyphBatch {
        TextLine::Colour colour;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<GlyphBatch> batches;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isSpace() && (skipSpaces || ch == QLatin1Char(' '))) {
            continue;
        }
        const double left = inset + twipsToPx(m_line.cellStart(i));
        const double right = inset + twipsToPx(m_line.cellEnd(i));
        const QRectF cell = QRectF(left, area.top(), right - left, area.height()).intersected(area);
        if (cell.isEmpty() || !cell.toAlignedRect().intersects(dirty)) {
            continue;
        }
        const TextLine::Colour colour = m_line.drawColour(i);
        // Only a wide character in a cell narrower than its width is cut
        // back to the cell; everything else fits and is drawn unclipped.
        const bool cut = !TextLine::isSingleByte(ch) && m_line.cellEnd(i) - m_line.cellStart(i) < fullCell;
        quint32 glyph = 0;
        int glyphs = 1;
        if (!cut) {
            if (!m_rawFont.isValid()) {
                m_rawFont = QRawFont::fromFont(m_font);
            }
            m_rawFont.glyphIndexesForChars(&ch, 1, &glyph, &glyphs);
        }
        if (glyph != 0) {
            // Batched by colour and drawn as glyph runs below: no shaping
            // per character.
            GlyphBatch* batch = nullptr;
            for (GlyphBatch& b : batches) {
                if (b.colour == colour) {
                    batch = &b;
                }
            }
            if (!batch) {
                batches.push_back({colour, {}, {}});
                batch = &batches.back();
            }
            batch->glyphs.append(glyph);
            batch->positions.append(QPointF(left, baseline));
            continue;
        }
        // Clipped characters, and characters the line font lacks (drawn
        // through the font's fallbacks).
        p.setPen(toQColor(colour));
        if (cut) {
            p.setClipRect(cell);
        }
        p.drawText(QPointF(left, baseline), QString(ch));
        if (cut) {
            p.setClipping(false);
        }
    }
    for (const GlyphBatch& batch : batches) {
        QGlyphRun run;
        run.setRawFont(m_rawFont);
        run.setGlyphIndexes(batch.glyphs);
        run.setPositions(batch.positions);
        p.setPen(toQColor(batch.colour));
        p.drawGlyphRun(QPointF(0, 0), run);
    }

    if (!m_preedit.isEmpty()) {
        // Composition hint only: faint and underlined, never typed text.
        const QRect caret = caretRect();
        p.save();
        p.setClipRect(area);
        QFont hint = m_font;
        hint.setUnderline(true);
        p.setFont(hint);
        p.setPen(QColor(150, 150, 170));
        p.drawText(QPointF(caret.left() + 3, baseline), m_preedit);
        p.restore();
    }

    if (m_caretShown && m_line.Enabled()) {
        p.fillRect(caretRect(), Qt::black);
    }
}

} // namespace tesmara
