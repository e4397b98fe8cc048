#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;
class QPainterPath;
class QRectF;

namespace tesmara::charts {

// The five stroke zones of the keyboard, each listing its keys by position
// 1..5: 横 G F D S A, 竖 H J K L M, 撇 T R E W Q, 捺 Y U I O P, 折 N B V C X.
inline constexpr const char* kZoneKeys[5] = {"gfdsa", "hjklm", "trewq", "yuiop", "nbvcx"};
inline constexpr const char16_t* kZoneNames[5] = {u"横区", u"竖区", u"撇区", u"捺区", u"折区"};

// Zone 1..5 and position 1..5 of a key, as the code "11".."55"; 0 for z.
int zoneOf(char key);
int zoneCode(char key);

// The program's window colour and the chart inks.
QColor background();
QColor ink();
QColor softInk();
// Key face and outline of a zone 1..5 (zone 0: the plain z key).
QColor zoneFace(int zone);
QColor zoneEdge(int zone);

// A CJK-capable font at a pixel size.
QFont chartFont(int pixelSize, bool bold = false);

// The outline of one root in `font`, centred in `box` and scaled by its ink
// so that every root stands at one size on one middle line.
QPainterPath rootPath(const QFont& font, const QRectF& box, const QString& root);
// Fills that outline in the painter's font and pen colour.
void drawRoot(QPainter& p, const QRectF& box, const QString& root);

} // namespace tesmara::charts
