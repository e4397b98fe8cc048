#pragma once

#include <QFont>

namespace tesmara {

// The font of the program's drawn pictures, at a pixel size, with a
// CJK-capable family first. Header-only, so the picture programs, which
// link only QtGui, draw with the same font as the windows.
inline QFont pictureFont(int pixelSize, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                   QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace tesmara
