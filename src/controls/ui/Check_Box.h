#pragma once

#include "controls/ui/ToggleControl.h"

namespace tesmara {

// Check box: a click flips Value, then Click is raised.
class Check_Box : public ToggleControl {
    Q_OBJECT
public:
    explicit Check_Box(QWidget* parent = nullptr);
    Check_Box(const QString& caption, QWidget* parent = nullptr);

protected:
    bool pickedValue() const override { return !Value(); }
    void paintIndicator(QPainter& p, const QRectF& box, bool hot, bool down) override;
};

} // namespace tesmara
