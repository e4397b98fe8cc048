#include "practice/ui/SplitPage.h"

#include "app/Msg.h"
#include "controls/RunTimer.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/Skin.h"
#include "controls/ui/Text.h"
#include "controls/ui/WB_Cut.h"
#include "practice/DrillTime.h"
#include "wubi/SplitPictures.h"

#include <QPainter>

namespace tesmara {

namespace {

// The page: the character on a card at the left with the answer line, the
// choices and the counts under it; the split picture at its big size on
// the right with the answer under it.
constexpr QSize kPageSize(640, 372);
constexpr QRect kCharacterCard(24, 20, 150, 150);
constexpr QPoint kPictureAt(340, 20);

MSG_Label* label(const char* name, const QString& caption, QWidget* parent, qreal size = 10.5)
{
    auto* l = new MSG_Label(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(skin::font(size));
    return l;
}

} // namespace

SplitPage::SplitPage(Clock* clock, RandomSource* random, QWidget* parent) : My_Frame(parent), m_random(random)
{
    setObjectName(QStringLiteral("Frame_WB_ChaiZi"));
    setBackColor(skin::window());
    setBorderStyle(0);
    setFixedSize(kPageSize);

    Label_Text = label("Label_Text", QString(), this, 60);
    Label_Text->setAlignment(2);
    Label_Text->setForeColor(QColor(0x1F, 0x3A, 0x5F));

    Text_Wb_Cut_Wb = new Text(this);
    Text_Wb_Cut_Wb->setObjectName(QStringLiteral("Text_Wb_Cut_Wb"));
    Text_Wb_Cut_Wb->setFont(skin::font(14));
    Text_Wb_Cut_Wb->setMaxLength(8);
    CMD_Ok = new Cmd(QStringLiteral("确 定(回车)"), this);
    CMD_Ok->setObjectName(QStringLiteral("CMD_Ok"));
    CMD_Ok->setFocusPolicy(Qt::NoFocus);

    const char16_t* versions[2] = {u"五笔 86 版", u"五笔 98 版"};
    for (int i = 0; i < 2; ++i) {
        Option_Wb_Cut[i] = new Option(QString::fromUtf16(versions[i]), this);
        Option_Wb_Cut[i]->setObjectName(QStringLiteral("Option_Wb_Cut"));
        Option_Wb_Cut[i]->setProperty("index", i);
        Option_Wb_Cut[i]->setFocusPolicy(Qt::NoFocus);
        connect(Option_Wb_Cut[i], &Option::Click, this, [this, i] { Option_Wb_Cut_Click(i); });
    }
    Option_Wb_Cut[0]->setValue(true);
    Check_Box_WB_Cut = new Check_Box(QStringLiteral("直接显示答案"), this);
    Check_Box_WB_Cut->setObjectName(QStringLiteral("Check_Box_WB_Cut"));
    Check_Box_WB_Cut->setFocusPolicy(Qt::NoFocus);

    Label_Wb_Cut_Show = label("Label_Wb_Cut_Show", m_drill.countsText(), this);
    Label_Wb_Cut_Time = label("Label_Wb_Cut_Time", Drill_Time_Text(0), this);
    Label_P = label("Label_P", QStringLiteral("答案："), this, 12);
    Label_P->setAlignment(2);

    WB_Cut1 = new WB_Cut(this);
    WB_Cut1->setObjectName(QStringLiteral("WB_Cut1"));
    WB_Cut1->setShowBigPic(true);
    WB_Cut1->setBackColor(skin::fromVb(splitpic::kBackVb));

    Timer_OverTime = new RunTimer(this, clock);
    Timer_OverTime->setObjectName(QStringLiteral("Timer_OverTime"));
    Timer_OverTime->setInterval(1.0f);

    connect(Text_Wb_Cut_Wb, &Text::KeyPress, this, [this](int& key) {
        if (key == 13) {
            key = 0;
            CMD_Ok_Click();
        }
    });
    connect(CMD_Ok, &Cmd::Click, this, &SplitPage::CMD_Ok_Click);
    connect(Check_Box_WB_Cut, &Check_Box::Click, this, &SplitPage::Check_Box_WB_Cut_Click);
    connect(Timer_OverTime, &RunTimer::tick, this, &SplitPage::Timer_OverTime_Timer);

    placeControls();
}

void SplitPage::placeControls()
{
    Label_Text->setGeometry(kCharacterCard.adjusted(4, 4, -4, -4));
    const int left = kCharacterCard.left();
    const int entryTop = kCharacterCard.bottom() + 20;
    Text_Wb_Cut_Wb->setGeometry(left, entryTop, 150, 32);
    CMD_Ok->setGeometry(left + 162, entryTop, 118, 32);
    Option_Wb_Cut[0]->setGeometry(QRect(QPoint(left, entryTop + 48), Option_Wb_Cut[0]->sizeHint()));
    Option_Wb_Cut[1]->setGeometry(QRect(QPoint(left + 140, entryTop + 48), Option_Wb_Cut[1]->sizeHint()));
    Check_Box_WB_Cut->setGeometry(QRect(QPoint(left, entryTop + 80), Check_Box_WB_Cut->sizeHint()));
    const int lineHeight = QFontMetrics(Label_Wb_Cut_Show->font()).height() + 2;
    Label_Wb_Cut_Show->setGeometry(left, entryTop + 122, 290, lineHeight);
    Label_Wb_Cut_Time->setGeometry(left, entryTop + 122 + lineHeight + 4, 290, lineHeight);

    WB_Cut1->setGeometry(QRect(kPictureAt, WB_Cut1->pictureSize()));
    const int answerHeight = QFontMetrics(Label_P->font()).height() + 2;
    Label_P->setGeometry(kPictureAt.x() - 20, WB_Cut1->geometry().bottom() + 16, WB_Cut1->width() + 40, answerHeight);
}

void SplitPage::paintEvent(QPaintEvent* e)
{
    My_Frame::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(skin::border(), 1));
    p.setBrush(skin::field());
    p.drawRoundedRect(QRectF(kCharacterCard).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(WB_Cut1->geometry()).adjusted(-6.5, -6.5, 6.5, 6.5), 8, 8);
}

bool SplitPage::wb98() const
{
    return Option_Wb_Cut[1]->Value();
}

void SplitPage::start()
{
    WB_Cut1->Load();
    m_drill.start(WB_Cut1->GetText());
    Label_Wb_Cut_Show->setCaption(m_drill.countsText());
    Label_Wb_Cut_Time->setCaption(Drill_Time_Text(0));
    Timer_OverTime->setEnabled(true);
    Wb_Cut_Make_Text();
    Text_Wb_Cut_Wb->setText(QString());
    Text_Wb_Cut_Wb->setFocus();
}

void SplitPage::leave()
{
    Timer_OverTime->setEnabled(false);
    WB_Cut1->UnLoad();
}

void SplitPage::Wb_Cut_Make_Text()
{
    Label_Text->setCaption(m_drill.next(*m_random));
    if (Check_Box_WB_Cut->Value()) {
        showAnswer(true);
    }
}

void SplitPage::showAnswer(bool withAnswer)
{
    const QString c = m_drill.current();
    if (!wb98() || Has_98_Picture(c)) {
        WB_Cut1->Show(c);
    } else {
        WB_Cut1->Clear();
        WB_Cut1->setCaption(QStringLiteral("不支持该字的 98 版编码图显示"));
    }
    const QStringList codes = Split_Codes(c, wb98());
    if (withAnswer && !codes.isEmpty()) {
        Label_P->setCaption(Answer_Text(c, codes));
    }
}

void SplitPage::CMD_Ok_Click()
{
    const QStringList codes = Split_Codes(m_drill.current(), wb98());
    if (!Check_Box_WB_Cut->Value()) {
        showAnswer(false);
    }
    if (!codes.isEmpty()) {
        Label_P->setCaption(Answer_Text(m_drill.current(), codes));
    }
    switch (m_drill.check(Text_Wb_Cut_Wb->text(), wb98())) {
    case SplitDrill::Verdict::Right:
        Show_Msg(QStringLiteral("恭喜您，答对了！"), 1, 0, QStringLiteral("正确"));
        break;
    case SplitDrill::Verdict::Wrong:
        Show_Msg(QStringLiteral("真可惜，答错了！"), 0, 0, QStringLiteral("错误"));
        break;
    case SplitDrill::Verdict::NoCodes:
        break;
    }
    Wb_Cut_Make_Text();
    Text_Wb_Cut_Wb->setText(QString());
    Text_Wb_Cut_Wb->setFocus();
    Label_Wb_Cut_Show->setCaption(m_drill.countsText());
}

void SplitPage::Check_Box_WB_Cut_Click()
{
    if (Check_Box_WB_Cut->Value()) {
        showAnswer(true);
    } else {
        WB_Cut1->Clear();
        WB_Cut1->setCaption(QString());
        Label_P->setCaption(QStringLiteral("答案："));
    }
}

void SplitPage::Option_Wb_Cut_Click(int index)
{
    Option_Wb_Cut[index]->setValue(true);
    Option_Wb_Cut[1 - index]->setValue(false);
    Check_Box_WB_Cut_Click();
    Text_Wb_Cut_Wb->setFocus();
}

void SplitPage::Timer_OverTime_Timer()
{
    m_drill.tick();
    if (isVisible()) {
        Label_Wb_Cut_Time->setCaption(Drill_Time_Text(m_drill.seconds()));
    }
}

} // namespace tesmara
