#include "controls/ui/SkinStyle.h"

#include "controls/ui/Skin.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tesmara {

namespace {

// Two chevrons pointing right (or down), as on a toolbar's "more" button.
QPixmap chevrons(int size, bool down)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    if (down) {
        p.translate(size, 0);
        p.rotate(90);
    }
    QPainterPath path;
    for (const qreal left : {4.0, 8.5}) {
        path.moveTo(left * unit, 4.5 * unit);
        path.lineTo((left + 3.5) * unit, 8 * unit);
        path.lineTo(left * unit, 11.5 * unit);
    }
    p.setPen(QPen(skin::text(), 1.6 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    return pixmap;
}

} // namespace

QIcon SkinStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        QIcon drawn;
        for (const int size : {16, 32}) {
            drawn.addPixmap(chevrons(size, icon == SP_ToolBarVerticalExtensionButton));
        }
        return drawn;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace tesmara
