#include "controls/ui/Option.h"

#include "controls/ui/Skin.h"

#include <QKeyEvent>
#include <QPainter>

namespace tesmara {

Option::Option(QWidget* parent) : ToggleControl(parent) {}

Option::Option(const QString& caption, QWidget* parent) : ToggleControl(parent)
{
    setCaption(caption);
}

void Option::paintIndicator(QPainter& p, const QRectF& box, bool hot, bool down)
{
    const bool enabled = isEnabled();
    const QRectF circle = box.adjusted(0.5, 0.5, -0.5, -0.5);
    p.save();
    QColor edge = enabled ? (hot || down ? skin::borderHot() : skin::border()) : QColor(0xB2, 0xC6, 0xD6);
    QColor fill = skin::fieldDisabled();
    if (enabled) {
        fill = down ? QColor(0xD8, 0xEC, 0xFA) : (hot ? QColor(0xF4, 0xFA, 0xFF) : skin::field());
    }
    p.setPen(QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawEllipse(circle);
    if (Value()) {
        QRadialGradient dot(circle.center() - QPointF(1, 1), circle.width() / 3);
        const QColor mark = enabled ? skin::focus() : skin::textDisabled();
        dot.setColorAt(0, mark.lighter(150));
        dot.setColorAt(1, mark);
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(circle.center(), circle.width() * 0.26, circle.height() * 0.26);
    }
    p.restore();
}

void Option::keyPressEvent(QKeyEvent* e)
{
    int step = 0;
    if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
        if (e->key() == Qt::Key_Down || e->key() == Qt::Key_Right) {
            step = 1;
        } else if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Left) {
            step = -1;
        }
    }
    if (step == 0 || parentWidget() == nullptr) {
        ToggleControl::keyPressEvent(e);
        return;
    }
    QList<Option*> group;
    for (QObject* child : parentWidget()->children()) {
        auto* option = qobject_cast<Option*>(child);
        if (option != nullptr && (option == this || (option->isVisible() && option->isEnabled()))) {
            group.append(option);
        }
    }
    const qsizetype count = group.size();
    if (count < 2) {
        return;
    }
    const qsizetype here = group.indexOf(this);
    Option* next = group.at((here + step + count) % count);
    next->setFocus(Qt::TabFocusReason);
    next->click();
}

} // namespace tesmara
