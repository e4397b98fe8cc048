#include "controls/ui/MSG_Label.h"

#include "controls/ui/Skin.h"

#include <QEvent>
#include <QFontInfo>
#include <QPainter>

namespace tesmara {

namespace {

// How far the second stroke of a heavy caption is drawn to the right: about
// what the bold face adds to a stem.
qreal heavyOffset(const QFont& font)
{
    return qBound(0.5, QFontInfo(font).pixelSize() / 18.0, 1.2);
}

} // namespace

MSG_Label::MSG_Label(QWidget* parent) : MSG_Label(QString(), parent) {}

MSG_Label::MSG_Label(const QString& caption, QWidget* parent) : QWidget(parent), m_foreColor(skin::text())
{
    setCaption(caption);
}

void MSG_Label::setCaption(const QString& caption)
{
    m_caption = caption;
    updateGeometry();
    update();
}

void MSG_Label::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    update();
}

void MSG_Label::setForeColor(const QColor& colour)
{
    m_foreColor = colour;
    update();
}

void MSG_Label::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    skin::applyPointer(this, m_mousePointer, m_mouseIcon);
}

void MSG_Label::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    skin::applyPointer(this, m_mousePointer, m_mouseIcon);
}

void MSG_Label::setAlignment(int alignment)
{
    m_alignment = alignment;
    update();
}

QString MSG_Label::shownText() const
{
    QString text = m_caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int MSG_Label::textFlags() const
{
    int flags = Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    switch (m_alignment) {
    case 1:
        flags |= Qt::AlignRight;
        break;
    case 2:
        flags |= Qt::AlignHCenter;
        break;
    default:
        flags |= Qt::AlignLeft;
        break;
    }
    return flags;
}

QSize MSG_Label::textSize(int maxWidth) const
{
    const QFontMetrics fm(font());
    const QString text = shownText();
    if (text.isEmpty()) {
        return QSize(0, fm.height());
    }
    const int limit = maxWidth > 0 ? maxWidth : 1 << 20;
    // Wrap anywhere as a last resort so an unbroken Chinese line still fits.
    const QRect box = fm.boundingRect(QRect(0, 0, limit, 1 << 20),
                                      Qt::TextWordWrap | Qt::TextWrapAnywhere | Qt::TextExpandTabs, text);
    return QSize(box.width() + 1 + (m_heavy ? 1 : 0), box.height());
}

void MSG_Label::setHeavy(bool heavy)
{
    if (m_heavy != heavy) {
        m_heavy = heavy;
        updateGeometry();
        update();
    }
}

void MSG_Label::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange) {
        updateGeometry();
    }
    QWidget::changeEvent(e);
}

void MSG_Label::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_backColor.isValid()) {
        p.fillRect(rect(), m_backColor);
    }
    p.setFont(font());
    p.setPen(isEnabled() ? m_foreColor : skin::textDisabled());
    const int flags = textFlags() | Qt::TextWrapAnywhere;
    p.drawText(rect(), flags, shownText());
    if (m_heavy) {
        p.drawText(QRectF(rect()).translated(heavyOffset(font()), 0), flags, shownText());
    }
}

} // namespace tesmara
