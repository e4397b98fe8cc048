#include "mistakes/ui/HeatMapView.h"

#include "controls/ui/Skin.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace tesmara {

namespace {

using keyboard::Board;

constexpr int kGap = 18;          // between the keyboard and the pad
constexpr int kLegendHeight = 40; // under the boards
constexpr double kMinScale = 0.55;

// The scale: error rate at each stop and its colour, evenly spaced in the
// legend. Rates are small numbers in practice, so the stops crowd low.
struct Stop {
    double rate;
    QColor colour;
    const char* label;
};
const Stop kStops[] = {
    {0.00, QColor(0xC9, 0xEC, 0xCB), "0%"},   {0.02, QColor(0xE6, 0xF4, 0xB4), "2%"},
    {0.05, QColor(0xFF, 0xE3, 0x96), "5%"},   {0.10, QColor(0xFF, 0xB6, 0x86), "10%"},
    {0.20, QColor(0xF2, 0x7A, 0x7A), "≥20%"},
};

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

keyboard::KeyLook untouchedLook()
{
    return {QColor(0xF3, 0xF6, 0xF9), QColor(0xC8, 0xD4, 0xE0), QColor(0x9A, 0xAB, 0xBC)};
}

} // namespace

HeatMapView::HeatMapView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image_HeatMap"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMouseTracking(true);
}

void HeatMapView::setHeat(const KeyHeat& heat)
{
    const bool padBefore = padShown();
    m_heat = heat;
    if (padBefore != padShown()) {
        updateGeometry();
    }
    update();
}

QColor HeatMapView::rateColour(double errorRate)
{
    if (errorRate <= kStops[0].rate) {
        return kStops[0].colour;
    }
    for (std::size_t i = 1; i < std::size(kStops); ++i) {
        if (errorRate < kStops[i].rate) {
            const Stop& a = kStops[i - 1];
            const Stop& b = kStops[i];
            return mix(a.colour, b.colour, (errorRate - a.rate) / (b.rate - a.rate));
        }
    }
    return kStops[std::size(kStops) - 1].colour;
}

keyboard::KeyLook HeatMapView::keyLook(const CharFigures* figures)
{
    if (!figures || figures->total() == 0) {
        return untouchedLook();
    }
    const QColor face = rateColour(figures->errorRate());
    return {face, face.darker(140), QColor(0x2C, 0x33, 0x40)};
}

QSizeF HeatMapView::naturalSize() const
{
    const QSize main = keyboard::boardSize(Board::Main);
    const QSize pad = keyboard::boardSize(Board::NumberPad);
    const double width = main.width() + (padShown() ? kGap + pad.width() : 0);
    return QSizeF(width, main.height() + kLegendHeight);
}

HeatMapView::Placement HeatMapView::placement() const
{
    const QSizeF natural = naturalSize();
    const double boardHeight = natural.height() - kLegendHeight;
    double scale = std::min({1.0, width() / natural.width(), (height() - kLegendHeight) / boardHeight});
    scale = std::max(scale, kMinScale);
    const double used = natural.width() * scale;
    const double left = (width() - used) / 2;
    Placement at;
    at.scale = scale;
    at.main = QPointF(left, 0);
    at.pad = QPointF(left + (keyboard::boardSize(Board::Main).width() + kGap) * scale, 0);
    at.legend = QRectF(left, boardHeight * scale + 6, used, kLegendHeight - 6);
    return at;
}

QSize HeatMapView::sizeHint() const
{
    return naturalSize().toSize();
}

QSize HeatMapView::minimumSizeHint() const
{
    return (naturalSize() * kMinScale).toSize();
}

int HeatMapView::heightForWidth(int width) const
{
    const QSizeF natural = naturalSize();
    const double scale = std::clamp(width / natural.width(), kMinScale, 1.0);
    return int((natural.height() - kLegendHeight) * scale) + kLegendHeight;
}

QRect HeatMapView::keyRect(Board board, int index) const
{
    const QList<keyboard::Key>& keys = keyboard::keys(board);
    if (index < 0 || index >= keys.size() || (board == Board::NumberPad && !padShown())) {
        return {};
    }
    const Placement at = placement();
    const QPointF origin = board == Board::Main ? at.main : at.pad;
    const QRectF r = keys[index].rect;
    return QRectF(origin + r.topLeft() * at.scale, r.size() * at.scale).toAlignedRect();
}

QString HeatMapView::tipAt(const QPoint& pos) const
{
    for (Board board : {Board::Main, Board::NumberPad}) {
        const QList<keyboard::Key>& keys = keyboard::keys(board);
        for (int i = 0; i < keys.size(); ++i) {
            if (keyRect(board, i).contains(pos)) {
                const auto& figures = m_heat.of(board);
                const auto it = figures.constFind(i);
                return Key_Tip(board, i, it == figures.constEnd() ? nullptr : &*it);
            }
        }
    }
    return {};
}

bool HeatMapView::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(e);
}

void HeatMapView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Placement at = placement();
    auto board = [&](Board which, const QPointF& origin) {
        const auto& figures = m_heat.of(which);
        const QList<keyboard::Key>& keys = keyboard::keys(which);
        p.save();
        p.translate(origin);
        p.scale(at.scale, at.scale);
        keyboard::paintBoard(p, which, [&](const keyboard::Key& key) {
            const auto it = figures.constFind(int(&key - keys.constData()));
            return keyLook(it == figures.constEnd() ? nullptr : &*it);
        });
        p.restore();
    };
    board(Board::Main, at.main);
    if (padShown()) {
        board(Board::NumberPad, at.pad);
    }
    paintLegend(p, at.legend);
}

void HeatMapView::paintLegend(QPainter& p, const QRectF& area) const
{
    p.save();
    p.setFont(skin::font(9));
    const QFontMetricsF fm(p.font());
    const double barWidth = 260;
    const double barHeight = 10;
    const double labelsTop = area.top() + barHeight + 4;
    const QRectF bar(area.right() - barWidth - fm.horizontalAdvance(QStringLiteral("≥20%")) / 2, area.top() + 4,
                     barWidth, barHeight);

    // The scale, each stop at an even step.
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    const int steps = int(std::size(kStops)) - 1;
    for (int i = 0; i <= steps; ++i) {
        gradient.setColorAt(double(i) / steps, kStops[i].colour);
    }
    p.setPen(QPen(QColor(0xB5, 0xC4, 0xD3), 1));
    p.setBrush(gradient);
    p.drawRoundedRect(bar, barHeight / 2, barHeight / 2);
    p.setPen(skin::text());
    for (int i = 0; i <= steps; ++i) {
        const QString label = QString::fromUtf8(kStops[i].label);
        const double x = bar.left() + bar.width() * i / steps;
        const double w = fm.horizontalAdvance(label);
        p.drawText(QPointF(x - w / 2, labelsTop + fm.ascent()), label);
    }
    const QString title = QStringLiteral("错误率");
    p.drawText(QPointF(bar.left() - fm.horizontalAdvance(title) - 10, bar.center().y() + fm.ascent() / 2 - 1), title);

    // Keys not practised, then how to read the picture.
    const keyboard::KeyLook none = untouchedLook();
    const QString noneText = QStringLiteral("未练习");
    const double titleLeft = bar.left() - fm.horizontalAdvance(title) - 10;
    // A small blank cap, so that it reads as a key and not as a box to tick.
    keyboard::Key cap;
    cap.rect = QRect(int(titleLeft - fm.horizontalAdvance(noneText) - 50), int(bar.top()) - 5, 30, 21);
    keyboard::paintKey(p, cap, none);
    const QRectF swatch(cap.rect);
    p.setPen(skin::text());
    p.drawText(QPointF(swatch.right() + 5, bar.center().y() + fm.ascent() / 2 - 1), noneText);

    p.setPen(skin::textDisabled());
    const QRectF hint(area.left() + 4, area.top(), swatch.left() - area.left() - 16, area.height());
    p.drawText(hint, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QStringLiteral("鼠标停在键上可查看它的次数"));
    p.restore();
}

} // namespace tesmara
