#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QStringList>

class QPainter;
class QWidget;

// The program's one look: a light-blue family around the window colour
// &HF7E6C8, shared by every drawn control and every window.
namespace tesmara::skin {

// Colours are stored as &HBBGGRR (red in the low byte).
QColor fromVb(quint32 bbggrr);
quint32 toVb(const QColor& colour);

inline constexpr quint32 kWindowVb = 0xF7E6C8;

QColor window();        // window and label background
QColor text();          // ordinary caption text
QColor textDisabled();  // captions of disabled controls
QColor border();        // resting outline
QColor borderHot();     // outline under the mouse
QColor focus();         // focus ring and marks
QColor field();         // inside of boxes and edits
QColor fieldDisabled(); // inside of disabled boxes and edits
QColor selectedTab();   // default colour of the chosen tab

// Fonts: a CJK-capable family first so Chinese captions always render.
QStringList fontFamilies();
QFont font(qreal pointSize = 9);
// Lays out a character of each script the windows show in the skin's font,
// so that which installed faces stand in for the characters its faces lack
// is worked out here, once: the answer is shared by every thread, and a
// window laying its first text out finds it ready.
void chooseFallbackFaces();

// Sets the application font and palette to the skin (once, at start).
void install();

// Mouse pointer numbers as the windows use them: 0 default, 1 arrow,
// 2 cross, 3 I-beam, 4/5 size-all, 6 bdiag, 7 ver, 8 fdiag, 9 hor,
// 10 up arrow, 11 busy, 12 forbidden, 13 arrow+busy, 14 what's this,
// 15 size-all, 99 custom (the MouseIcon picture). Applies it to `widget`.
void applyPointer(QWidget* widget, int mousePointer, const QPixmap& mouseIcon);

enum class Look { Normal, Hot, Down, Disabled };

// Raised button face with its outline. `accent` draws the strong blue face
// of a primary button.
void paintFace(QPainter& p, const QRectF& r, Look look, qreal radius = 4.0, bool accent = false);
// The white inside of a box or edit with its outline.
void paintField(QPainter& p, const QRectF& r, Look look, bool focused, qreal radius = 3.0,
                const QColor& fill = QColor());
// Focus ring just inside `r`.
void paintFocusRing(QPainter& p, const QRectF& r, qreal radius = 4.0);

} // namespace tesmara::skin
