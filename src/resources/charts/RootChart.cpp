#include "RootChart.h"

#include "ChartStyle.h"
#include "wubi/WubiKeys.h"

#include <QPainter>

namespace tesmara::charts {

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 324;
constexpr int kKeyW = 70;
constexpr int kKeyH = 80;
constexpr int kPitch = 74;
constexpr int kFirstRowTop = 40;
constexpr const char* kRows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
// Each row starts a little further right, as on a real keyboard.
constexpr int kRowLeft[3] = {10, 28, 46};

void drawKey(QPainter& p, const QRect& r, char key)
{
    const int zone = zoneOf(key);
    p.setPen(QPen(zoneEdge(zone), 1.5));
    p.setBrush(zoneFace(zone));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    p.setPen(zoneEdge(zone).darker(130));
    p.setFont(chartFont(13, true));
    p.drawText(QRect(r.left() + 5, r.top() + 2, 16, 16), Qt::AlignLeft | Qt::AlignTop, QString(QChar(key).toUpper()));
    const int code = zoneCode(key);
    if (code) {
        p.setFont(chartFont(11));
        p.drawText(QRect(r.right() - 22, r.top() + 3, 18, 14), Qt::AlignRight | Qt::AlignTop, QString::number(code));
    }

    const wubi::KeyRoots* row = wubi::keyRoots(key);
    if (!row) {
        return;
    }
    p.setPen(ink());
    p.setFont(chartFont(26, true));
    drawRoot(p, QRectF(r.left() + 17, r.top() + 4, 36, 32), QString(QChar(wubi::namedRoot(*row))));

    // Further roots in up to two lines of four, at one size.
    const QString roots = QString::fromUtf16(row->further);
    p.setFont(chartFont(16));
    p.setPen(softInk().darker(120));
    const int perLine = 4;
    const qreal cell = 16.5;
    const int lines = int((roots.size() + perLine - 1) / perLine);
    const qreal top = r.top() + 39 + (lines == 1 ? 9 : 0);
    for (int i = 0; i < roots.size(); ++i) {
        const int line = i / perLine;
        const int inLine = i % perLine;
        const int count = qMin<int>(perLine, int(roots.size()) - line * perLine);
        const qreal left = r.left() + (kKeyW - count * cell) / 2 + inLine * cell;
        drawRoot(p, QRectF(left, top + line * 19, cell, 18), QString(roots[i]));
    }
}

void drawLegend(QPainter& p, const QRect& area)
{
    p.setFont(chartFont(12));
    for (int z = 0; z < 5; ++z) {
        const int y = area.top() + z * 16;
        p.setPen(QPen(zoneEdge(z + 1), 1));
        p.setBrush(zoneFace(z + 1));
        p.drawRoundedRect(QRectF(area.left() + 0.5, y + 3.5, 16, 10), 2, 2);
        QString keys;
        for (const char* k = kZoneKeys[z]; *k; ++k) {
            keys += QChar(*k).toUpper();
            keys += QLatin1Char(' ');
        }
        const QString text = QString::fromUtf16(kZoneNames[z]) +
                             QStringLiteral(" %1–%2   ").arg(z * 10 + 11).arg(z * 10 + 15) + keys.trimmed();
        p.setPen(ink());
        p.drawText(QRect(area.left() + 22, y, area.width() - 22, 16), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

} // namespace

QImage rootChart()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(background());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(ink());
    p.setFont(chartFont(19, true));
    p.drawText(QRect(10, 6, kWidth - 20, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("五笔字型 86 版字根表"));
    p.setFont(chartFont(12));
    p.setPen(softInk());
    p.drawText(QRect(10, 6, kWidth - 20, 28), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("区位号：十位是区（首笔），个位是位"));

    for (int row = 0; row < 3; ++row) {
        for (int i = 0; kRows[row][i]; ++i) {
            const QRect r(kRowLeft[row] + i * kPitch, kFirstRowTop + row * (kKeyH + 4), kKeyW, kKeyH);
            drawKey(p, r, kRows[row][i]);
        }
    }
    const int legendLeft = kRowLeft[2] + 7 * kPitch + 12;
    drawLegend(p, QRect(legendLeft, kFirstRowTop + 2 * (kKeyH + 4), kWidth - legendLeft - 8, 80));

    p.setFont(chartFont(11));
    p.setPen(softInk());
    p.drawText(QRect(10, kHeight - 26, kWidth - 20, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("每个键：左上是字母，右上是区位号，大字是键名字根，下面的小字是这个键上的其他字根。"));
    return image;
}

} // namespace tesmara::charts
