#pragma once

#include <QColor>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

namespace tesmara {

// Tab strip. TSMyLong is the number of tabs; TSType 0 draws folder tabs on a
// base line, 1 a row of joined buttons; TSETrue true gives every tab the same
// width, false sizes each tab to its caption (falling back to equal widths
// when the captions do not fit). The chosen tab, TSWhoUp (from 0), is drawn
// in SelectColor. Picking a tab by mouse or arrow keys sets TSWhoUp, then
// raises Click; setting TSWhoUp from code raises nothing.
class TS : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QColor SelectColor READ SelectColor WRITE setSelectColor)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int TSType READ TSType WRITE setTSType)
    Q_PROPERTY(int TSMyLong READ TSMyLong WRITE setTSMyLong)
    Q_PROPERTY(bool TSETrue READ TSETrue WRITE setTSETrue)
    Q_PROPERTY(int TSWhoUp READ TSWhoUp WRITE setTSWhoUp)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
public:
    explicit TS(QWidget* parent = nullptr);

    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour);
    QColor SelectColor() const { return m_selectColor; }
    void setSelectColor(const QColor& colour);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int TSType() const { return m_type; }
    void setTSType(int type);
    int TSMyLong() const { return m_count; }
    void setTSMyLong(int count);
    bool TSETrue() const { return m_equal; }
    void setTSETrue(bool equal);
    // The number of tabs under its plain name.
    int tabCount() const { return m_count; }
    void setTabCount(int count) { setTSMyLong(count); }
    int TSWhoUp() const { return m_current; }
    void setTSWhoUp(int index);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    // Builds the tabs from the current settings and lays them out.
    void Make_Form();
    // Caption of tab `index`; an index outside the tabs changes nothing.
    void Set_Text(int index, const QString& caption);
    QString Get_Text(int index) const;
    // Empties every caption.
    void Clear();

    // Where tab `index` is drawn (empty outside the tabs).
    QRect tabRect(int index) const;
    int tabAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    // Every caption whole with little room beside it.
    QSize minimumSizeHint() const override;

signals:
    void Click();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void layoutTabs();
    // The captions' widths as the chosen tab draws them (bold).
    QList<int> captionWidths() const;
    void pick(int index);
    void paintTab(QPainter& p, int index);

    QColor m_foreColor;
    QColor m_selectColor;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    int m_type = 0;
    int m_count = 2;
    bool m_equal = false;
    int m_current = 0;
    int m_hot = -1;
    QStringList m_captions;
    QList<QRect> m_rects;
};

} // namespace tesmara
