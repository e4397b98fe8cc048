#include "controls/ui/Check_Box.h"

#include "controls/ui/Skin.h"

#include <QPainter>
#include <QPainterPath>

namespace tesmara {

Check_Box::Check_Box(QWidget* parent) : ToggleControl(parent) {}

Check_Box::Check_Box(const QString& caption, QWidget* parent) : ToggleControl(parent)
{
    setCaption(caption);
}

void Check_Box::paintIndicator(QPainter& p, const QRectF& box, bool hot, bool down)
{
    const bool enabled = isEnabled();
    skin::Look look = skin::Look::Normal;
    if (!enabled) {
        look = skin::Look::Disabled;
    } else if (down) {
        look = skin::Look::Down;
    } else if (hot) {
        look = skin::Look::Hot;
    }
    skin::paintField(p, box, look, false, 2.5);
    if (Value()) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.72);
        tick.lineTo(box.left() + box.width() * 0.79, box.top() + box.height() * 0.28);
        QPen pen(enabled ? skin::focus() : skin::textDisabled(), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
        p.restore();
    }
}

} // namespace tesmara
