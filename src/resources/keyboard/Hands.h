#pragma once

#include <QImage>

namespace tesmara::pictures {

// The two hands seen from above, resting on the keys, each finger tipped
// with the colour of the keys it strikes ("kp/kh.g").
QImage handsPicture();

// Finger 0..9 (left little .. right little) lit, on a transparent picture
// that lies exactly over the hands ("kp/l0.g" .. "kp/r4.g").
QImage fingerPicture(int finger);

} // namespace tesmara::pictures
