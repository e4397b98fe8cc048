#pragma once

#include "wubi/SplitPictures.h"

#include <QColor>
#include <QWidget>

namespace tesmara {

class MSG_Label;

// The Wubi split picture of a character: how it is cut into its roots.
// `Load` reads the pictures of the built-in resources (103 the picture
// runs, 390 their characters, 391 the colour table, 392 the byte ranges);
// `Show` paints one character's picture straight from its runs, in cells of
// one pixel, or two with `ShowBigPic`. `Caption` is the text of the label
// `Label1` over the picture area.
class WB_Cut : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool ShowBigPic READ ShowBigPic WRITE setShowBigPic)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    explicit WB_Cut(QWidget* parent = nullptr);

    bool Load();
    // Loads pictures given directly: the runs, the character list, the
    // colour table and range texts as the resources hold them.
    bool Load(const QByteArray& data, const QString& characters, const QString& colours, const QString& ranges);
    void UnLoad();
    // Paints the picture of the first character of `character`; a character
    // without a picture leaves the control empty.
    void Show(const QString& character);
    void Clear();
    QString GetText() const { return m_characters; }
    bool SearchText(const QString& text) const;

    bool ShowBigPic() const { return m_big; }
    void setShowBigPic(bool big);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    QString Caption() const;
    void setCaption(const QString& caption);

    MSG_Label* Label1 = nullptr;

    // The picture shown, or -1.
    int shownPicture() const { return m_shown; }
    // The size of a whole picture at the current cell size.
    QSize pictureSize() const;
    QSize sizeHint() const override { return pictureSize(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void placeLabel();

    QByteArray m_data;
    QString m_characters;
    QList<splitpic::Range> m_ranges;
    QList<QColor> m_colours;
    bool m_big = false;
    QColor m_backColor;
    int m_shown = -1;
};

} // namespace tesmara
