#pragma once

#include "controls/ui/My_Frame.h"

#include <QPoint>

#include <array>

class QLabel;

namespace tesmara {

class Cmd;
class Option;

// The Wubi chart panel `Frame_WB_PictureShow`: the picture `Image_WB_Show`
// (the root chart "zgb.g" or the mnemonic chart "kj.g" from the shared
// folder), the choice `Option_Wb_TS` between the two and `CMD_Close` below
// it. It floats over the window and can be dragged by the mouse.
class ChartPanel : public My_Frame {
    Q_OBJECT
public:
    static constexpr int kCharts = 2;

    explicit ChartPanel(QWidget* parent = nullptr);

    QLabel* Image_WB_Show = nullptr;
    std::array<Option*, kCharts> Option_Wb_TS{};
    Cmd* CMD_Close = nullptr;

    // The picture file of chart 0 (root chart) or 1 (mnemonic chart).
    static QString fileName(int index);

    // Loads chart `index` from `folder`, selects its option, fits the panel
    // to it and shows it. A picture that cannot be loaded is reported
    // through the message dialog and changes nothing; then false.
    bool showChart(int index, const QString& folder);
    // Clears the picture and hides the panel.
    void closeChart();

signals:
    // An option was picked by the user.
    void chartPicked(int index);
    // CMD_Close was clicked.
    void closeClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void placeControls();
    void placeOnParent(bool wasHidden);

    bool m_dragging = false;
    QPoint m_grab;
};

} // namespace tesmara
