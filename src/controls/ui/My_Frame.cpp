#include "controls/ui/My_Frame.h"

#include "controls/ui/Skin.h"

#include <QPainter>
#include <QPainterPath>

namespace tesmara {

My_Frame::My_Frame(QWidget* parent) : QWidget(parent), m_borderColor(skin::border()) {}

void My_Frame::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    update();
}

void My_Frame::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void My_Frame::setBorderWidth(int width)
{
    m_borderWidth = qMax(0, width);
    update();
}

void My_Frame::setBorderColor(const QColor& colour)
{
    m_borderColor = colour;
    update();
}

void My_Frame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool bordered = m_borderStyle != 0 && m_borderWidth > 0;
    const qreal half = bordered ? m_borderWidth / 2.0 : 0.0;
    const QRectF box = QRectF(rect()).adjusted(half, half, -half, -half);
    QPainterPath path;
    path.addRoundedRect(box, 5, 5);
    if (m_backColor.isValid()) {
        p.fillPath(path, m_backColor);
    }
    if (bordered) {
        p.setPen(QPen(isEnabled() ? m_borderColor : QColor(0xB2, 0xC6, 0xD6), m_borderWidth));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

} // namespace tesmara
