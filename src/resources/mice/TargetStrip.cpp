#include "TargetStrip.h"

#include "MiceStyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tesmara::mice {

namespace {

void pawPrint(QPainter& p, QPointF centre, qreal size, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    // The pad and four toes above it.
    p.drawEllipse(centre + QPointF(0, size * 0.25), size * 0.5, size * 0.42);
    const QPointF toes[] = {{-0.55, -0.28}, {-0.2, -0.62}, {0.2, -0.62}, {0.55, -0.28}};
    for (const QPointF& toe : toes) {
        p.drawEllipse(centre + toe * size, size * 0.19, size * 0.23);
    }
}

void chevron(QPainter& p, QPointF tip, qreal size, const QColor& colour)
{
    QPainterPath path;
    path.moveTo(tip + QPointF(-size, -size * 0.8));
    path.lineTo(tip);
    path.lineTo(tip + QPointF(size, -size * 0.8));
    QPen pen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

} // namespace

QImage targetStrip()
{
    const int w = kStripWidth;
    const int h = kStripHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF band(1.5, 1.5, w - 3, h - 3);
    QLinearGradient fill(band.topLeft(), band.bottomLeft());
    fill.setColorAt(0, QColor(0xE4, 0xF2, 0xFC, 235));
    fill.setColorAt(1, QColor(0xB9, 0xDC, 0xF4, 245));
    p.setPen(QPen(skinBlue(), 2));
    p.setBrush(fill);
    p.drawRoundedRect(band, 10, 10);

    // Soft diagonal stripes inside.
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(band.adjusted(2, 2, -2, -2), 8, 8);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(255, 255, 255, 110), 7));
    for (int x = -h; x < w + h; x += 22) {
        p.drawLine(QPointF(x, h), QPointF(x + h, 0));
    }
    p.restore();

    // A dashed inner edge.
    QPen dash(QColor(0x3A, 0x78, 0xB8, 170), 1.4, Qt::DashLine);
    dash.setDashPattern({5, 4});
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(band.adjusted(5, 5, -5, -5), 7, 7);

    // Paw prints between pairs of arrows.
    const QColor paw(0x3A, 0x78, 0xB8, 150);
    const QColor arrow(0x3A, 0x78, 0xB8, 200);
    const int step = 84;
    for (int i = 0; i * step + step / 2 < w; ++i) {
        const qreal x = i * step + step / 2.0 + (w - (w / step) * step) / 2.0;
        if (i % 2 == 0) {
            chevron(p, {x, h * 0.42}, 7, arrow);
            chevron(p, {x, h * 0.70}, 7, arrow);
        } else {
            pawPrint(p, {x, h * 0.52}, 15, paw);
        }
    }
    return image;
}

} // namespace tesmara::mice
