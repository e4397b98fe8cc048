#include "controls/ui/WB_Cut.h"

#include "app/Resources.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Skin.h"

#include <QPainter>

namespace tesmara {

namespace sp = splitpic;

WB_Cut::WB_Cut(QWidget* parent) : QWidget(parent), m_backColor(palette().color(QPalette::Button))
{
    setObjectName(QStringLiteral("WB_Cut"));
    Label1 = new MSG_Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(2);
    resize(pictureSize());
}

bool WB_Cut::Load()
{
    return Load(binaryResource(103), stringResource(390), stringResource(391), stringResource(392));
}

bool WB_Cut::Load(const QByteArray& data, const QString& characters, const QString& colours, const QString& ranges)
{
    m_data = data;
    m_characters = characters;
    m_colours.clear();
    for (quint32 c : sp::parseColourTable(colours)) {
        m_colours << skin::fromVb(c);
    }
    m_ranges = sp::parseRanges(ranges);
    m_shown = -1;
    update();
    return true;
}

void WB_Cut::UnLoad()
{
    m_data.clear();
    m_characters.clear();
    m_colours.clear();
    m_ranges.clear();
    Clear();
}

bool WB_Cut::SearchText(const QString& text) const
{
    return !text.isEmpty() && m_characters.contains(text.left(1));
}

void WB_Cut::Show(const QString& character)
{
    Label1->setCaption(QString());
    m_shown = -1;
    const int i = character.isEmpty() ? -1 : int(m_characters.indexOf(character.left(1)));
    if (i >= 0 && i < m_ranges.size()) {
        // A picture whose range lies outside the data or that names a colour
        // the table lacks is damaged: it paints nothing.
        bool whole = true;
        const bool inside = sp::forEachRun(m_data, m_ranges[i],
                                           [&](const sp::Run& run) { whole = whole && run.colour < m_colours.size(); });
        if (inside && whole) {
            m_shown = i;
        }
    }
    update();
}

void WB_Cut::Clear()
{
    m_shown = -1;
    update();
}

void WB_Cut::setShowBigPic(bool big)
{
    if (big != m_big) {
        m_big = big;
        update();
    }
}

void WB_Cut::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    update();
}

QString WB_Cut::Caption() const
{
    return Label1->Caption();
}

void WB_Cut::setCaption(const QString& caption)
{
    Label1->setCaption(caption);
    placeLabel();
}

QSize WB_Cut::pictureSize() const
{
    const int s = m_big ? 2 : 1;
    return {sp::kColumns * s, sp::kRows * s};
}

void WB_Cut::resizeEvent(QResizeEvent*)
{
    placeLabel();
}

void WB_Cut::placeLabel()
{
    const int h = Label1->textSize(width()).height();
    Label1->setGeometry(0, (height() - h) / 2, width(), h);
}

void WB_Cut::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_backColor);
    if (m_shown < 0) {
        return;
    }
    const int s = m_big ? 2 : 1;
    sp::forEachRun(m_data, m_ranges[m_shown], [&](const sp::Run& run) {
        const QColor& colour = run.colour == 0 ? m_backColor : m_colours[run.colour];
        // A single cell is two pixels wide at both sizes; the next run paints
        // over its right half in the small size.
        const int w = run.single ? 2 : run.cells * s;
        p.fillRect(run.column * s, (run.row - 1) * s, w, s, colour);
    });
}

} // namespace tesmara
