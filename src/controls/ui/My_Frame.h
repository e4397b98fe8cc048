#pragma once

#include <QColor>
#include <QWidget>

namespace tesmara {

// A plain container with an optional rounded border. BorderStyle 0 draws no
// border, 1 a solid one. BackColor invalid (the default) lets the window
// show through.
class My_Frame : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor BorderColor READ BorderColor WRITE setBorderColor)
public:
    explicit My_Frame(QWidget* parent = nullptr);

    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    QColor BorderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor m_backColor;
    int m_borderStyle = 1;
    int m_borderWidth = 1;
    QColor m_borderColor;
};

} // namespace tesmara
