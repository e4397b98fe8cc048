#include "records/ui/SpeedLog_Point.h"

#include "controls/ui/MSG_Label.h"
#include "controls/ui/Skin.h"
#include "records/SpeedChart.h"

#include <QCursor>
#include <QPainter>

namespace tesmara {

namespace {

SpeedLog_Point::PointerSource& pointerSource()
{
    static SpeedLog_Point::PointerSource source = [] { return QCursor::pos(); };
    return source;
}

int toPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr int kClosed = kPointSize / kTwipsPerPixel; // 7 pixels
constexpr int kFrame = 30 / kTwipsPerPixel;          // 2 pixels around the caption
// Room around the caption inside the open box, so the text does not touch
// its outline.
constexpr int kPadX = 6;
constexpr int kPadY = 4;
const QColor kBoxColour(0xFF, 0xFD, 0xE8);

} // namespace

SpeedLog_Point::SpeedLog_Point(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SpeedLog_Point"));
    setMouseTracking(true);
    m_label1 = new MSG_Label(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setFont(skin::font(9));
    m_label1->setBackColor(kBoxColour);
    m_label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label1->move(kPadX, kPadY);
    m_label1->hide();
    m_timer1.setInterval(300);
    connect(&m_timer1, &QTimer::timeout, this, &SpeedLog_Point::watch);
    resize(kClosed, kClosed);
}

void SpeedLog_Point::setPointerSource(PointerSource source)
{
    pointerSource() = source ? std::move(source) : [] { return QCursor::pos(); };
}

QWidget* SpeedLog_Point::captionLabel() const
{
    return m_label1;
}

void SpeedLog_Point::setCaption(const QString& caption)
{
    m_caption = caption;
    m_label1->setCaption(caption);
    m_label1->resize(m_label1->sizeHint());
}

void SpeedLog_Point::placeTwips(int left, int top)
{
    if (m_hover) {
        close();
    }
    m_home = QPoint(toPixels(left), toPixels(top));
    move(m_home);
    resize(kClosed, kClosed);
}

void SpeedLog_Point::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    open();
}

void SpeedLog_Point::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    open();
}

void SpeedLog_Point::open()
{
    if (m_hover) {
        return;
    }
    m_hover = true;
    m_timer1.start();
    const QSize box = m_label1->sizeHint() + QSize(kFrame + 2 * kPadX, kFrame + 2 * kPadY);
    // The box grows right and down from the square, unless that would leave
    // the chart; then it opens towards the inside so it can be read whole.
    QPoint at = m_home;
    if (QWidget* chart = parentWidget()) {
        if (at.x() + box.width() > chart->width()) {
            at.setX(std::max(0, m_home.x() + kClosed - box.width()));
        }
        if (at.y() + box.height() > chart->height()) {
            at.setY(std::max(0, m_home.y() + kClosed - box.height()));
        }
    }
    setGeometry(QRect(at, box));
    m_label1->resize(m_label1->sizeHint());
    m_label1->show();
    raise();
    update();
}

void SpeedLog_Point::watch()
{
    if (!m_hover) {
        m_timer1.stop();
        return;
    }
    const QPoint p = parentWidget() ? parentWidget()->mapFromGlobal(pointerSource()()) : pointerSource()();
    const QRect g = geometry();
    const int t = kTwipsPerPixel;
    if (Pointer_Left_Point(p.x(), p.y(), g.x() * t, g.y() * t, g.width() * t, g.height() * t)) {
        close();
    }
}

void SpeedLog_Point::close()
{
    m_timer1.stop();
    m_hover = false;
    setGeometry(QRect(m_home, QSize(kClosed, kClosed)));
}

void SpeedLog_Point::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (!m_hover && (width() != kClosed || height() != kClosed)) {
        resize(kClosed, kClosed);
    }
    if (!m_hover) {
        m_label1->hide();
    }
}

void SpeedLog_Point::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!m_hover) {
        p.setPen(QPen(skin::borderHot().darker(130), 1));
        p.setBrush(skin::borderHot());
        p.drawRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
        return;
    }
    p.setPen(QPen(skin::borderHot(), 1));
    p.setBrush(kBoxColour);
    p.drawRoundedRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0), 3, 3);
}

} // namespace tesmara
