#include "practice/ui/ChartPanel.h"

#include "app/Msg.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/Option.h"
#include "controls/ui/Picture.h"
#include "controls/ui/Skin.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace tesmara {

namespace {

constexpr int kBorder = 3;
constexpr int kBarHeight = 36;

} // namespace

ChartPanel::ChartPanel(QWidget* parent) : My_Frame(parent)
{
    setObjectName(QStringLiteral("Frame_WB_PictureShow"));
    setBackColor(skin::window());
    setBorderColor(skin::borderHot());
    setBorderWidth(2);

    Image_WB_Show = new QLabel(this);
    Image_WB_Show->setObjectName(QStringLiteral("Image_WB_Show"));
    Image_WB_Show->setToolTip(QStringLiteral("您可以用鼠标拖动这个框"));
    Image_WB_Show->setCursor(Qt::SizeAllCursor);
    Image_WB_Show->installEventFilter(this);

    const QString captions[kCharts] = {QStringLiteral("五笔字根表"), QStringLiteral("字根助记口诀")};
    for (int i = 0; i < kCharts; ++i) {
        Option* option = new Option(captions[i], this);
        option->setObjectName(QStringLiteral("Option_Wb_TS"));
        option->setProperty("index", i);
        option->setFixedSize(option->sizeHint());
        connect(option, &Option::Click, this, [this, i] { emit chartPicked(i); });
        Option_Wb_TS[i] = option;
    }
    CMD_Close = new Cmd(QStringLiteral("关闭(&C)"), this);
    CMD_Close->setObjectName(QStringLiteral("CMD_Close"));
    CMD_Close->setFixedSize(88, 28);
    connect(CMD_Close, &Cmd::Click, this, &ChartPanel::closeClicked);
    hide();
}

QString ChartPanel::fileName(int index)
{
    return index == 0 ? QStringLiteral("zgb.g") : QStringLiteral("kj.g");
}

bool ChartPanel::showChart(int index, const QString& folder)
{
    if (index < 0 || index >= kCharts) {
        return false;
    }
    const QString path = folder + fileName(index);
    const QPixmap picture = QPixmap::fromImage(pngImage(path));
    if (picture.isNull()) {
        Show_Msg(QStringLiteral("无法打开图片文件“%1”，请检查它是否在程序文件夹中。").arg(fileName(index)), 0, 0,
                 QStringLiteral("错误"));
        return false;
    }
    const bool wasHidden = isHidden();
    Image_WB_Show->setPixmap(picture);
    for (int i = 0; i < kCharts; ++i) {
        Option_Wb_TS[i]->setValue(i == index);
    }
    resize(picture.width() + 2 * kBorder, picture.height() + 2 * kBorder + kBarHeight);
    placeControls();
    placeOnParent(wasHidden);
    show();
    raise();
    return true;
}

void ChartPanel::closeChart()
{
    Image_WB_Show->clear();
    hide();
}

void ChartPanel::placeControls()
{
    const QSize picture = Image_WB_Show->pixmap().size();
    Image_WB_Show->setGeometry(kBorder, kBorder, picture.width(), picture.height());
    const int barTop = kBorder + picture.height();
    int left = kBorder + 8;
    for (Option* option : Option_Wb_TS) {
        option->move(left, barTop + (kBarHeight - option->height()) / 2);
        left += option->width() + 16;
    }
    CMD_Close->move(width() - kBorder - 8 - CMD_Close->width(), barTop + (kBarHeight - CMD_Close->height()) / 2);
}

// A panel that appears sits centred near the top; one already shown keeps
// the place it was dragged to, as far as it still fits.
void ChartPanel::placeOnParent(bool wasHidden)
{
    const QWidget* host = parentWidget();
    if (!host) {
        return;
    }
    QPoint at = wasHidden ? QPoint((host->width() - width()) / 2, 6) : pos();
    at.setX(qBound(0, at.x(), qMax(0, host->width() - width())));
    at.setY(qBound(0, at.y(), qMax(0, host->height() - height())));
    move(at);
}

bool ChartPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image_WB_Show) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            mousePressEvent(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            mouseMoveEvent(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            mouseReleaseEvent(static_cast<QMouseEvent*>(event));
            return true;
        default:
            break;
        }
    }
    return My_Frame::eventFilter(watched, event);
}

void ChartPanel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_dragging = true;
        m_grab = e->globalPosition().toPoint() - pos();
    }
}

void ChartPanel::mouseMoveEvent(QMouseEvent* e)
{
    if (m_dragging && (e->buttons() & Qt::LeftButton)) {
        move(e->globalPosition().toPoint() - m_grab);
    }
}

void ChartPanel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_dragging = false;
    }
}

} // namespace tesmara
