#include "game/ui/BoatField.h"

#include "controls/ui/Picture.h"

#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>

namespace tesmara::game {

QPixmap gamePicture(int id)
{
    // Qt's pixmap cache goes with the application object; a static cache
    // would free its pixmaps after it.
    const QString key = QStringLiteral("tesmara/game/%1").arg(id);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap::fromImage(pngImage(QStringLiteral(":/data/game/%1.png").arg(id)));
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

QPixmap waterPicture(bool large)
{
    return QPixmap::fromImage(
        pngImage(large ? QStringLiteral(":/data/game/water-large.png") : QStringLiteral(":/data/game/water.png")));
}

Pic_Boat::Pic_Boat(int index, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Pic_Boat"));
    setProperty("index", index);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(kWidth, kHeight);
}

void Pic_Boat::setPicture(int id)
{
    if (id == m_picture) {
        return;
    }
    m_picture = id;
    m_pixmap = gamePicture(id);
    update();
}

void Pic_Boat::paintEvent(QPaintEvent*)
{
    if (m_pixmap.isNull()) {
        return;
    }
    QPainter p(this);
    // Pictures share their centre with the hull's place (39 × 107 from
    // kHullX, kHullY), on whole pixels.
    const QSize size = m_pixmap.deviceIndependentSize().toSize();
    p.drawPixmap(kHullX + (39 - size.width()) / 2, kHullY + (107 - size.height()) / 2, m_pixmap);
}

BoatField::BoatField(bool large, QWidget* parent) : QWidget(parent), m_water(waterPicture(large))
{
    setObjectName(QStringLiteral("Image2"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
}

void BoatField::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    // Only the strips the boats left: the region, not its bounding box.
    for (const QRect& r : event->region()) {
        if (m_water.isNull()) {
            p.fillRect(r, QColor(70, 150, 200));
        } else {
            p.drawPixmap(r, m_water, r);
        }
    }
}

void BoatField::inputMethodEvent(QInputMethodEvent* event)
{
    // Text still being composed is the input method's own business.
    if (!event->commitString().isEmpty()) {
        emit committed(event->commitString());
    }
    event->accept();
}

QVariant BoatField::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle:
        return m_candidateSpot;
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return 0;
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
    case Qt::ImTextBeforeCursor:
    case Qt::ImTextAfterCursor:
        return QString();
    case Qt::ImHints:
        return int(Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

} // namespace tesmara::game
