#include "controls/ui/SkinStyle.h"

#include "controls/ui/Skin.h"

#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tesmara {

namespace {

// Two chevrons pointing right (or down), as on a toolbar's "more" button,
// drawn at whatever size is asked for when the button is first painted:
// most windows never overflow their menu bar, and never draw them.
class ChevronIcon : public QIconEngine {
public:
    explicit ChevronIcon(bool down) : m_down(down) {}

    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(rect.topLeft());
        const qreal unit = qMin(rect.width(), rect.height()) / 16.0;
        if (m_down) {
            p->translate(16 * unit, 0);
            p->rotate(90);
        }
        QPainterPath path;
        for (const qreal left : {4.0, 8.5}) {
            path.moveTo(left * unit, 4.5 * unit);
            path.lineTo((left + 3.5) * unit, 8 * unit);
            path.lineTo(left * unit, 11.5 * unit);
        }
        p->setPen(QPen(mode == QIcon::Disabled ? skin::textDisabled() : skin::text(), 1.6 * unit, Qt::SolidLine,
                       Qt::RoundCap, Qt::RoundJoin));
        p->setBrush(Qt::NoBrush);
        p->drawPath(path);
        p->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        paint(&p, pixmap.rect(), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ChevronIcon(m_down); }

private:
    bool m_down;
};

} // namespace

QIcon SkinStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        return QIcon(new ChevronIcon(icon == SP_ToolBarVerticalExtensionButton));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace tesmara
