#pragma once

#include "mistakes/MistakeFigures.h"
#include "practice/ui/KeyboardPicture.h"

#include <QWidget>

namespace tesmara {

// The keyboard of the fingering practice with every key coloured by its
// error rate, the number pad beside it when its keys were practised, and
// the colour scale under them. Hovering a key tells its counts.
class HeatMapView : public QWidget {
    Q_OBJECT
public:
    explicit HeatMapView(QWidget* parent = nullptr);

    void setHeat(const KeyHeat& heat);
    const KeyHeat& heat() const { return m_heat; }
    bool padShown() const { return !m_heat.pad.isEmpty(); }

    // The colour of a key by its error rate (0..1): green through yellow
    // and orange to red at kRedAt and above.
    static constexpr double kRedAt = 0.20;
    static QColor rateColour(double errorRate);
    static keyboard::KeyLook keyLook(const CharFigures* figures);

    // Where key `index` of `board` is drawn; empty when it is not shown.
    QRect keyRect(keyboard::Board board, int index) const;
    // The tooltip of the key under `pos`; "" away from the keys.
    QString tipAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    struct Placement {
        double scale;
        QPointF main;
        QPointF pad;
        QRectF legend;
    };
    Placement placement() const;
    QSizeF naturalSize() const;
    void paintLegend(QPainter& p, const QRectF& area) const;

    KeyHeat m_heat;
};

} // namespace tesmara
