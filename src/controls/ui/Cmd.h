#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace tesmara {

// The program's push button. The caption may carry a mnemonic ("确定(&O)":
// Alt+O clicks). Space, Enter and Return click a focused button.
// CMDType: 0 raised face, 1 flat (the face shows only under the mouse or
// while focused), 2 accent (strong blue face for a window's main action).
class Cmd : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int CMDType READ CMDType WRITE setCMDType)
    Q_PROPERTY(QPixmap Icon READ Icon WRITE setIcon)
public:
    explicit Cmd(QWidget* parent = nullptr);
    explicit Cmd(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int CMDType() const { return m_type; }
    void setCMDType(int type);
    QPixmap Icon() const { return m_icon; }
    void setIcon(const QPixmap& icon);

    // Lays out caption and icon again, then redraws.
    void L_P_C();
    // Redraws the face in its current state.
    void Paint_Picture();

    // Clicks as the user would: nothing happens while disabled.
    void click();

    // The default button of its window: drawn with the accent face (CMDType
    // 2) and clicked by Enter that no control of the window uses itself.
    bool isDefault() const { return m_default; }
    void setDefault(bool on);

    bool isHot() const { return m_hot; }
    bool isDown() const { return m_down; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void setDown(bool down);
    void updateShortcut();
    // Follows the window the default button belongs to.
    void watchWindow();

    QString m_caption;
    QColor m_foreColor;
    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    int m_type = 0;
    QPixmap m_icon;
    int m_shortcutId = 0;
    bool m_hot = false;
    bool m_down = false;
    bool m_mouseDown = false;
    bool m_spaceDown = false;
    bool m_default = false;
    QPointer<QWidget> m_watched;
    // Caption and icon places, worked out by L_P_C.
    QRect m_captionRect;
    QRect m_iconRect;
};

} // namespace tesmara
