#pragma once

#include <QImage>

namespace tesmara::pictures {

// The banner across the top of the login window (420 by 84 pixels, the
// window's width): a key cap with "字", the program's name and version.
QImage logo();

} // namespace tesmara::pictures
