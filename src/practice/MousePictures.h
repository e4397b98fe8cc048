#pragma once

#include <QString>

// The pictures of the mouse practice, in the folder "mp/" beside the
// program: one place for their names, used by the page that shows them and
// by the build program that draws them. All are PNG pictures, whatever
// their extension.
namespace tesmara::mousepictures {

inline constexpr int kLiveIcons = 18;  // icons 201..218
inline constexpr int kBackgrounds = 6; // "mp/1.j".."mp/6.j"

inline constexpr int liveIcon(int k)
{
    return 200 + k;
}
// The dead picture of live icon 200 + k is 300 + k.
inline constexpr int deadIcon(int k)
{
    return 300 + k;
}

// Icon 201..218 or 301..318 as "mp/201.i" (with transparency).
inline QString iconFile(int icon)
{
    return QStringLiteral("mp/%1.i").arg(icon);
}

// Background n (1..6) of the play area.
inline QString backgroundFile(int n)
{
    return QStringLiteral("mp/%1.j").arg(n);
}

// The drag target strip.
inline QString targetFile()
{
    return QStringLiteral("mp/1.b");
}

} // namespace tesmara::mousepictures
