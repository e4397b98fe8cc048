#include "practice/ui/TipsPanel.h"

#include "controls/ui/MSG_Label.h"
#include "controls/ui/Skin.h"
#include "practice/CodeTips.h"

#include <QComboBox>
#include <QFontMetrics>

namespace tesmara {

namespace {

constexpr int kComboWidth = 170;

} // namespace

TipsPanel::TipsPanel(QWidget* parent) : My_Frame(parent)
{
    setObjectName(QStringLiteral("Frame_Tips"));
    setBackColor(QColor(0xF3, 0xF8, 0xFE));
    Label_Tips = new MSG_Label(this);
    Label_Tips->setObjectName(QStringLiteral("Label_Tips"));
    Label_Tips->setFont(skin::font(11));
    Label_Tips->setForeColor(QColor(0x1F, 0x4E, 0x8C));
    Combo_Show_Tips = new QComboBox(this);
    Combo_Show_Tips->setObjectName(QStringLiteral("Combo_Show_Tips"));
    Combo_Show_Tips->addItems(Tip_Captions());
    // The typing line keeps the focus; the list is chosen with the mouse.
    Combo_Show_Tips->setFocusPolicy(Qt::NoFocus);
}

int TipsPanel::entry() const
{
    return Combo_Show_Tips->currentIndex();
}

void TipsPanel::setEntry(int entry)
{
    Combo_Show_Tips->setCurrentIndex(qBound(0, entry, entryCount() - 1));
}

int TipsPanel::entryCount()
{
    return int(Tip_Captions().size());
}

void TipsPanel::resizeEvent(QResizeEvent* e)
{
    My_Frame::resizeEvent(e);
    const int h = height();
    const int comboHeight = qMin(h - 6, 26);
    Combo_Show_Tips->setGeometry(width() - kComboWidth - 6, (h - comboHeight) / 2, kComboWidth, comboHeight);
    const int textHeight = QFontMetrics(Label_Tips->font()).height() + 2;
    Label_Tips->setGeometry(10, (h - textHeight) / 2, width() - kComboWidth - 22, textHeight);
}

} // namespace tesmara
