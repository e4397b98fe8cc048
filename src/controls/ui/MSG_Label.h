#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace tesmara {

// Plain-text label. Lines break at line feeds (CR LF counts as one) and wrap
// at words when the label is narrower than a line. BackColor invalid (the
// default) lets the window show through. Alignment: 0 left, 1 right, 2 centre.
class MSG_Label : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
public:
    explicit MSG_Label(QWidget* parent = nullptr);
    MSG_Label(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);

    // Heavy captions are drawn twice, a fraction of a pixel apart: they stand
    // out like bold ones without loading the bold face of the CJK font,
    // which would cost the first window several megabytes and milliseconds.
    bool Heavy() const { return m_heavy; }
    void setHeavy(bool heavy);

    // Size the caption needs; with maxWidth > 0 longer lines wrap to it.
    QSize textSize(int maxWidth = 0) const;
    QSize sizeHint() const override { return textSize(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QString shownText() const;
    int textFlags() const;

    QString m_caption;
    QColor m_backColor;
    QColor m_foreColor;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    int m_alignment = 0;
    bool m_heavy = false;
};

} // namespace tesmara
