#pragma once

#include "controls/ui/ToggleControl.h"

namespace tesmara {

// Radio item. A click sets Value; the window clears the other items of its
// group in its Click handler. Arrow keys move to the neighbouring option of
// the same parent and pick it.
class Option : public ToggleControl {
    Q_OBJECT
public:
    explicit Option(QWidget* parent = nullptr);
    Option(const QString& caption, QWidget* parent = nullptr);

protected:
    bool pickedValue() const override { return true; }
    void paintIndicator(QPainter& p, const QRectF& box, bool hot, bool down) override;
    void keyPressEvent(QKeyEvent* e) override;
};

} // namespace tesmara
