#include "MnemonicChart.h"

#include "ChartStyle.h"
#include "wubi/WubiKeys.h"

#include <QPainter>

namespace tesmara::charts {

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 516;
constexpr int kColumnWidth = 362;
constexpr int kHeaderHeight = 24;
constexpr int kLineHeight = 25;

struct MemoryLine {
    char key;
    const char16_t* text;
};

// One line per key: how its roots hang together, by first stroke and shape.
constexpr MemoryLine kLines[] = {
    {'g', u"横笔起头：王五戋，一和青字顶"},
    {'f', u"两横一竖：土士干十二，加寸雨"},
    {'d', u"横撇相交：大犬石古厂，带个三"},
    {'s', u"木字一家：丁、西同住"},
    {'a', u"横起带框：工匚七弋戈，廿廾艹"},
    {'h', u"一竖打头：目止上，单竖丨"},
    {'j', u"日曰早虫，立刀刂两竖"},
    {'k', u"口是方口，川是三竖"},
    {'l', u"田甲四皿车力，大框囗"},
    {'m', u"山由贝几，冂是下开框"},
    {'t', u"一撇打头：禾竹丿，夂彳"},
    {'r', u"白斤手，提手旁扌"},
    {'e', u"月用乃豕，三撇彡"},
    {'w', u"人八，单人旁亻"},
    {'q', u"金钅儿夕勹，撇后带钩"},
    {'y', u"一点打头：言讠文方广，丶亠"},
    {'u', u"立六辛门，两点冫丬疒"},
    {'i', u"水氵小，三点朝一边"},
    {'o', u"火米，四点底灬"},
    {'p', u"之辶廴，宀冖礻盖在头"},
    {'n', u"折笔最多：已己巳尸，心忄羽乙"},
    {'b', u"子孑了也耳，卩阝凵"},
    {'v', u"女刀九臼，彐巛"},
    {'c', u"又巴马，小三角厶"},
    {'x', u"绞丝纟，弓匕幺"},
};

const char16_t* lineOf(char key)
{
    for (const MemoryLine& line : kLines) {
        if (line.key == key) {
            return line.text;
        }
    }
    return u"";
}

// One key: letter badge, key-name root, further roots, memory line.
void drawKeyLine(QPainter& p, int left, int top, char key)
{
    const int zone = zoneOf(key);
    const wubi::KeyRoots& row = *wubi::keyRoots(key);

    p.setPen(QPen(zoneEdge(zone), 1));
    p.setBrush(zoneFace(zone));
    p.drawRoundedRect(QRectF(left + 0.5, top + 3.5, 20, 18), 3, 3);
    p.setPen(zoneEdge(zone).darker(130));
    p.setFont(chartFont(13, true));
    p.drawText(QRect(left, top + 3, 21, 19), Qt::AlignCenter, QString(QChar(key).toUpper()));

    p.setPen(ink());
    p.setFont(chartFont(20, true));
    drawRoot(p, QRectF(left + 24, top, 24, kLineHeight), QString(QChar(wubi::namedRoot(row))));

    const QString roots = QString::fromUtf16(row.further);
    p.setFont(chartFont(16));
    p.setPen(softInk().darker(120));
    for (int i = 0; i < roots.size(); ++i) {
        drawRoot(p, QRectF(left + 52 + i * 16, top, 16, kLineHeight), QString(roots[i]));
    }

    p.setPen(ink());
    p.setFont(chartFont(13));
    p.drawText(QRect(left + 176, top, kColumnWidth - 176, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf16(lineOf(key)));
}

// A zone: its coloured header and its five keys in position order.
int drawZone(QPainter& p, int left, int top, int zone)
{
    p.setPen(Qt::NoPen);
    p.setBrush(zoneFace(zone + 1));
    p.drawRoundedRect(QRectF(left, top + 2, kColumnWidth, kHeaderHeight - 4), 4, 4);
    p.setPen(zoneEdge(zone + 1).darker(120));
    p.setFont(chartFont(13, true));
    p.drawText(QRect(left + 8, top, kColumnWidth - 16, kHeaderHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1（%2 区）").arg(QString::fromUtf16(kZoneNames[zone])).arg(zone + 1));
    top += kHeaderHeight;
    for (const char* k = kZoneKeys[zone]; *k; ++k) {
        drawKeyLine(p, left + 4, top, *k);
        top += kLineHeight;
    }
    return top + 6;
}

void drawHints(QPainter& p, const QRect& box)
{
    p.setPen(QPen(QColor(120, 174, 216), 1));
    p.setBrush(QColor(236, 246, 252));
    p.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setPen(ink());
    p.setFont(chartFont(13, true));
    p.drawText(box.adjusted(10, 6, -10, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("记忆小窍门"));
    p.setFont(chartFont(13));
    p.setPen(softInk().darker(110));
    const QString tips = QStringLiteral("· 首笔定区：横、竖、撇、捺、折是 1 到 5 区。\n"
                                        "· 位号 1 的键多在键盘中间，越往外越大。\n"
                                        "· 键名字根连打四次本键，就是这个字。\n"
                                        "· 形状相近的字根多半在同一个键上。");
    p.drawText(box.adjusted(10, 28, -10, -6), Qt::AlignLeft | Qt::AlignTop, tips);
}

} // namespace

QImage mnemonicChart()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(background());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(ink());
    p.setFont(chartFont(19, true));
    p.drawText(QRect(12, 6, kWidth - 24, 28), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("五笔字型 86 版字根助记"));
    p.setFont(chartFont(12));
    p.setPen(softInk());
    p.drawText(QRect(12, 6, kWidth - 24, 28), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("字母 · 键名字根 · 其他字根 · 助记"));

    const int top = 40;
    const int leftColumn = 12;
    const int rightColumn = kWidth - 12 - kColumnWidth;
    int y = top;
    for (int zone = 0; zone < 3; ++zone) {
        y = drawZone(p, leftColumn, y, zone);
    }
    y = top;
    for (int zone = 3; zone < 5; ++zone) {
        y = drawZone(p, rightColumn, y, zone);
    }
    drawHints(p, QRect(rightColumn, y + 2, kColumnWidth, kHeight - y - 12));
    return image;
}

} // namespace tesmara::charts
