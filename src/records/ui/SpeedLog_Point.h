#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tesmara {

class MSG_Label;

// One record on the speed chart: a small square that opens, while the
// pointer rests on it, into a box with the record's speed, time and
// accuracy. A 300 ms watch closes it once the pointer has left the box.
class SpeedLog_Point : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    explicit SpeedLog_Point(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // Places the closed square at `left`,`top` twips of the container.
    void placeTwips(int left, int top);

    bool isOpen() const { return m_hover; }
    QTimer* watchTimer() { return &m_timer1; }
    QWidget* captionLabel() const;

    // Where the pointer is, in screen pixels; tests replace it.
    using PointerSource = std::function<QPoint()>;
    static void setPointerSource(PointerSource source);

    // One tick of the watch: closes the box when the pointer is outside it.
    void watch();

protected:
    void enterEvent(QEnterEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void open();
    void close();

    QString m_caption;
    MSG_Label* m_label1 = nullptr;
    QTimer m_timer1;
    bool m_hover = false;
    QPoint m_home; // top-left of the closed square, pixels
};

} // namespace tesmara
