#pragma once

#include <QColor>
#include <QWidget>

class QLabel;

namespace tesmara {

// What Option and Check_Box share: an indicator drawn by the subclass, the
// caption in the inner label `Label_C`, hover and pressed looks, focus ring,
// Space to pick. BackColor invalid (the default) lets the window show through.
// My_Style: 0 indicator and caption, 1 a face like a button that stays down
// while Value is set.
class ToggleControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(int My_Style READ My_Style WRITE setMy_Style)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour);
    // Setting Value from code raises no Click.
    bool Value() const { return m_value; }
    void setValue(bool value);
    int My_Style() const { return m_style; }
    void setMy_Style(int style);
    QString Caption() const;
    void setCaption(const QString& caption);

    // Picks the control as a user click would (nothing while disabled).
    void click();

    QSize sizeHint() const override;

signals:
    void Click();

protected:
    explicit ToggleControl(QWidget* parent);

    // The value after a user pick: a check box flips, an option is set.
    virtual bool pickedValue() const = 0;
    virtual void paintIndicator(QPainter& p, const QRectF& box, bool hot, bool down) = 0;

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

    bool isHot() const { return m_hot; }

private:
    void layoutLabel();
    void updateLabelColours();
    QRect indicatorRect() const;

    QLabel* m_label;
    QColor m_backColor;
    QColor m_foreColor;
    bool m_value = false;
    int m_style = 0;
    bool m_hot = false;
    bool m_down = false;
    bool m_mouseDown = false;
};

} // namespace tesmara
