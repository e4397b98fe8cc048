#pragma once

#include <QProxyStyle>

namespace tesmara {

// The program's style: the desktop's own, with the few standard icons the
// first window asks for drawn here. The desktop style reads those from
// picture files, which makes Qt load every picture format it has (the
// vector format's library among them) before the window can show.
class SkinStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace tesmara
