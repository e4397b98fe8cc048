#pragma once

#include "records/TestLog.h"

#include <QList>
#include <QWidget>

namespace tesmara {

class SpeedLog_Point;

// The chart surface of the record viewer: grid, speed scale, axis captions
// and one SpeedLog_Point per record of the shown page.
class SpeedChartView : public QWidget {
    Q_OBJECT
public:
    explicit SpeedChartView(QWidget* parent = nullptr);

    // Shows records [first, end) of `records`, scaled by `maxSpeed`.
    void showPage(const QList<TestRecord>& records, int first, int end, qint64 maxSpeed);
    void clearChart();

    QList<SpeedLog_Point*> visiblePoints() const;
    qint64 maxSpeed() const { return m_maxSpeed; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QList<SpeedLog_Point*> m_points;
    qint64 m_maxSpeed = 0;
    int m_first = 0;
    int m_shown = 0;
};

} // namespace tesmara
