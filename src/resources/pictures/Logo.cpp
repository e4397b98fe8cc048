#include "Logo.h"

#include "app/AppState.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace tesmara::pictures {

namespace {

QFont font(qreal pointSize, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                   QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Sans Serif")});
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace

QImage logo()
{
    QImage image(420, 84, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(0x2f, 0x6d, 0xb5));
    sky.setColorAt(1, QColor(0x5b, 0x9b, 0xd9));
    p.fillRect(image.rect(), sky);
    // A key cap as the mark.
    const QRectF cap(22, 16, 52, 52);
    p.setPen(QPen(QColor(0x1d, 0x4a, 0x80), 2));
    p.setBrush(QColor(0xf4, 0xf8, 0xfd));
    p.drawRoundedRect(cap, 9, 9);
    p.setPen(QColor(0x2f, 0x6d, 0xb5));
    p.setFont(font(20, true));
    p.drawText(cap.adjusted(0, -2, 0, 0), Qt::AlignCenter, QStringLiteral("字"));
    p.setPen(Qt::white);
    p.drawText(QRectF(90, 12, image.width() - 100, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tesmara"));
    p.setFont(font(10, false));
    p.setPen(QColor(0xe4, 0xef, 0xfa));
    p.drawText(QRectF(92, 46, image.width() - 100, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("打字练习与打字测试  %1 版").arg(QLatin1String(kVersion)));
    return image;
}

} // namespace tesmara::pictures
