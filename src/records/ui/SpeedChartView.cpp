#include "records/ui/SpeedChartView.h"

#include "controls/ui/Skin.h"
#include "records/SpeedChart.h"
#include "records/ui/SpeedLog_Point.h"

#include <QPainter>
#include <QPainterPath>

namespace tesmara {

namespace {

constexpr double kPx = kTwipsPerPixel;
// The plot: from just left of the first point to just right of the last
// possible one (record 50 of a page), from the scale's top to its 0.
constexpr double kPlotLeft = 2510 / kPx - 6;
constexpr double kPlotRight = (2510 + 150 * 49 + 75 * 4 + kPointSize) / kPx + 6;
// Point centres: a record at scale value k sits on the line through
// (150 + 450 k) twips plus half a point.
double lineY(int k)
{
    return (Scale_Y(k) + kPointSize / 2.0) / kPx;
}

} // namespace

SpeedChartView::SpeedChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(skin::font(9));
    for (int j = 0; j < kPageSize; ++j) {
        auto* point = new SpeedLog_Point(this);
        point->placeTwips(Point_Left(j), Point_Top(0, 0));
        point->hide();
        m_points.append(point);
    }
    setFixedSize(sizeHint());
}

QSize SpeedChartView::sizeHint() const
{
    return QSize(int(kPlotRight) + 44, int(lineY(10)) + 52);
}

void SpeedChartView::showPage(const QList<TestRecord>& records, int first, int end, qint64 maxSpeed)
{
    m_maxSpeed = maxSpeed;
    m_first = first;
    m_shown = std::max(0, end - first);
    for (int j = 0; j < kPageSize; ++j) {
        SpeedLog_Point* point = m_points[j];
        if (j >= m_shown) {
            point->hide();
            continue;
        }
        const TestRecord& rec = records[first + j];
        point->placeTwips(Point_Left(j), Point_Top(rec.s.toLongLong(), maxSpeed));
        point->setCaption(Point_Caption(rec));
        point->show();
    }
    update();
}

void SpeedChartView::clearChart()
{
    showPage({}, 0, 0, 0);
}

QList<SpeedLog_Point*> SpeedChartView::visiblePoints() const
{
    return m_points.mid(0, m_shown);
}

void SpeedChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), skin::window());

    // The plot's white card.
    const QRectF plot(kPlotLeft, lineY(0) - 8, kPlotRight - kPlotLeft, lineY(10) - lineY(0) + 16);
    p.setPen(QPen(skin::border(), 1));
    p.setBrush(skin::field());
    p.drawRoundedRect(plot.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);

    // Horizontal grid at every scale step, the 0 line stronger.
    const QFontMetrics fm(font());
    for (int k = 0; k <= kScaleSteps; ++k) {
        const double y = lineY(k);
        p.setPen(QPen(k == kScaleSteps ? skin::border().darker(115) : QColor(0xE1, 0xEB, 0xF3), 1,
                      k == kScaleSteps ? Qt::SolidLine : Qt::DashLine));
        p.drawLine(QPointF(plot.left() + 1, y), QPointF(plot.right() - 1, y));
        // The scale number, written from x = 1890 twips, centred on its line.
        // With no speed to scale (no records) only the 0 line is numbered,
        // rather than a column of zeros.
        if (m_maxSpeed == 0 && k != kScaleSteps) {
            continue;
        }
        p.setPen(skin::text());
        const QString value = Scale_Label(m_maxSpeed, k);
        p.drawText(QRectF(kScaleX / kPx, y - fm.height() / 2.0, plot.left() - kScaleX / kPx - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, value);
    }

    // Every ten records a gap: a faint band marks each group of ten.
    for (int g = 0; g < kPageSize / 10; ++g) {
        const double x0 = Point_Left(g * 10) / kPx - 2;
        const double x1 = (Point_Left(g * 10 + 9) + kPointSize) / kPx + 2;
        if (g % 2 == 1) {
            p.fillRect(QRectF(x0, plot.top() + 1, x1 - x0, plot.height() - 2), QColor(0xF4, 0xF8, 0xFC));
        }
        // Record numbers under the first point of each group and the last.
        p.setPen(skin::text());
        const double cx = (Point_Left(g * 10) + kPointSize / 2.0) / kPx;
        p.drawText(QRectF(cx - 20, plot.bottom() + 3, 40, fm.height()), Qt::AlignCenter,
                   QString::number(m_first + g * 10 + 1));
    }
    // The band overdrew part of the grid; draw it again over the bands.
    for (int k = 0; k < kScaleSteps; ++k) {
        p.setPen(QPen(QColor(0xE1, 0xEB, 0xF3), 1, Qt::DashLine));
        p.drawLine(QPointF(plot.left() + 1, lineY(k)), QPointF(plot.right() - 1, lineY(k)));
    }
    p.setPen(QPen(skin::border().darker(115), 1));
    p.drawLine(QPointF(plot.left() + 1, lineY(10)), QPointF(plot.right() - 1, lineY(10)));

    // Axis captions.
    QFont caption = font();
    caption.setBold(true);
    p.setFont(caption);
    p.setPen(skin::text());
    p.save();
    p.translate(kScaleX / kPx - 30, (lineY(0) + lineY(10)) / 2);
    p.rotate(-90);
    p.drawText(QRectF(-80, -10, 160, 20), Qt::AlignCenter, QStringLiteral("速度（字/分钟）"));
    p.restore();
    p.drawText(QRectF(plot.left(), plot.bottom() + fm.height() + 6, plot.width(), fm.height() + 4), Qt::AlignCenter,
               QStringLiteral("练习记录（按练习先后，本页第 %1 条起）").arg(m_first + 1));

    if (m_shown == 0) {
        p.setFont(font());
        p.setPen(skin::textDisabled());
        p.drawText(plot, Qt::AlignCenter, QStringLiteral("本类别暂无练习记录"));
    }
}

} // namespace tesmara
