#include "practice/ui/RunPanel.h"

#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Skin.h"
#include "controls/ui/Text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tesmara {

namespace {

MSG_Label* label(const QString& caption, QWidget* parent, const char* name = nullptr)
{
    auto* l = new MSG_Label(caption, parent);
    if (name) {
        l->setObjectName(QLatin1String(name));
    }
    return l;
}

// A value label: bold dark blue, so the figures stand out from their captions.
MSG_Label* value(const QString& caption, QWidget* parent, const char* name)
{
    MSG_Label* l = label(caption, parent, name);
    l->setFont(skin::font(10));
    l->setHeavy(true);
    l->setForeColor(QColor(0x1F, 0x4E, 0x8C));
    l->setMinimumWidth(96);
    return l;
}

My_Frame* framed(QWidget* parent, const char* name)
{
    auto* f = new My_Frame(parent);
    f->setObjectName(QLatin1String(name));
    f->setBackColor(QColor(0xF3, 0xF8, 0xFE));
    // Hidden frames keep their room, so the buttons do not jump.
    QSizePolicy policy = f->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    f->setSizePolicy(policy);
    return f;
}

// The big vertical title at the left of a frame.
MSG_Label* sideTitle(const QString& caption, QWidget* parent)
{
    MSG_Label* l = label(caption, parent);
    l->setFont(skin::font(12));
    l->setHeavy(true);
    l->setForeColor(QColor(0x3A, 0x78, 0xB8));
    l->setAlignment(2);
    l->setFixedWidth(28);
    return l;
}

} // namespace

RunPanel::RunPanel(QWidget* parent) : My_Frame(parent)
{
    setObjectName(QStringLiteral("Frame_Sum"));
    setBorderStyle(0);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    Frame_See_Time = buildTimeFrame();
    Frame_See_Sum = buildSumFrame();
    row->addWidget(Frame_See_Time);
    row->addWidget(Frame_See_Sum, 1);
    row->addWidget(buildControls());

    connect(Check_Sum, &Check_Box::Click, this, [this] { Frame_See_Sum->setVisible(Check_Sum->Value()); });
    connect(Check_Time, &Check_Box::Click, this, [this] { Frame_See_Time->setVisible(Check_Time->Value()); });
}

My_Frame* RunPanel::buildTimeFrame()
{
    My_Frame* frame = framed(this, "Frame_See_Time");
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 8, 12, 8);
    grid->setHorizontalSpacing(6);
    MSG_Label* title = sideTitle(QStringLiteral("时\n间"), frame);
    title->setObjectName(QStringLiteral("Label_Time_Title"));
    grid->addWidget(title, 0, 0, 2, 1);
    m_timeUse = value(QStringLiteral("0 分钟 0 秒"), frame, "Time_Use");
    m_timeFree = value(QStringLiteral("0 分钟 0 秒"), frame, "Time_Free");
    grid->addWidget(label(QStringLiteral("已用："), frame), 0, 1);
    grid->addWidget(m_timeUse, 0, 2);
    grid->addWidget(label(QStringLiteral("剩余："), frame), 1, 1);
    grid->addWidget(m_timeFree, 1, 2);
    return frame;
}

My_Frame* RunPanel::buildSumFrame()
{
    My_Frame* frame = framed(this, "Frame_See_Sum");
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 8, 12, 8);
    grid->setHorizontalSpacing(6);
    grid->addWidget(sideTitle(QStringLiteral("统\n计"), frame), 0, 0, 3, 1);
    m_speed = value(QStringLiteral("0 字/分钟"), frame, "Label_Speed");
    m_right = value(QStringLiteral("0 字"), frame, "Label_Right");
    m_wrong = value(QStringLiteral("0 字"), frame, "Label_Wrong");
    m_percent = value(QStringLiteral("0.00 %"), frame, "Right_Percent");
    m_one = value(QStringLiteral("0.00 秒"), frame, "Label_One");
    m_speed2 = value(QStringLiteral("0.00 字/秒"), frame, "Label_Speed2");
    m_wrong->setForeColor(QColor(0xB0, 0x30, 0x30));
    const QList<std::pair<QString, MSG_Label*>> cells = {
        {QStringLiteral("速度："), m_speed},     {QStringLiteral("正确率："), m_percent},
        {QStringLiteral("正确字数："), m_right}, {QStringLiteral("每正确字需时："), m_one},
        {QStringLiteral("错误字数："), m_wrong}, {QString(), m_speed2},
    };
    for (int i = 0; i < cells.size(); ++i) {
        const int r = i / 2;
        const int c = 1 + (i % 2) * 2;
        grid->addWidget(label(cells[i].first, frame), r, c, Qt::AlignRight);
        grid->addWidget(cells[i].second, r, c + 1);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    return frame;
}

QWidget* RunPanel::buildControls()
{
    auto* box = new QWidget(this);
    auto* col = new QVBoxLayout(box);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(6);

    auto* timeRow = new QHBoxLayout;
    Test_Time = new Text(box);
    Test_Time->setObjectName(QStringLiteral("Test_Time"));
    Test_Time->setText(QStringLiteral("10"));
    Test_Time->setAlignment(2);
    Test_Time->setMaxLength(2);
    Test_Time->setFixedSize(44, 24);
    // Only digits and Backspace reach the entry.
    Test_Time->inner()->setContextMenuPolicy(Qt::NoContextMenu);
    connect(Test_Time, &Text::KeyPress, this, [](int& key) {
        if (!testTimeAccepts(QChar(key))) {
            key = 0;
        }
    });
    timeRow->addWidget(label(QStringLiteral("练习时间："), box));
    timeRow->addWidget(Test_Time);
    timeRow->addWidget(label(QStringLiteral("分钟"), box));
    timeRow->addStretch();
    col->addLayout(timeRow);

    auto* buttons = new QHBoxLayout;
    CMD_Begin = new Cmd(QStringLiteral("开始(F5)"), box);
    CMD_Begin->setObjectName(QStringLiteral("CMD_Begin"));
    CMD_Begin->setCMDType(2);
    CMD_Stop = new Cmd(QStringLiteral("停止(F9)"), box);
    CMD_Stop->setObjectName(QStringLiteral("CMD_Stop"));
    CMD_Stop->setEnabled(false);
    for (Cmd* b : {CMD_Begin, CMD_Stop}) {
        b->setFixedSize(104, 30);
        // The keys F5 and F9 drive them; the focus stays on the typing line.
        b->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(b);
    }
    col->addLayout(buttons);

    auto* checks = new QHBoxLayout;
    Check_Sum = new Check_Box(QStringLiteral("显示统计(Ctrl+S)"), box);
    Check_Sum->setObjectName(QStringLiteral("Check_Sum"));
    Check_Time = new Check_Box(QStringLiteral("显示时间(Ctrl+T)"), box);
    Check_Time->setObjectName(QStringLiteral("Check_Time"));
    for (Check_Box* c : {Check_Sum, Check_Time}) {
        c->setValue(true);
        c->setFocusPolicy(Qt::NoFocus);
        c->setMinimumWidth(c->sizeHint().width());
        checks->addWidget(c);
    }
    col->addLayout(checks);

    MSG_Label* formula = label(QStringLiteral("速度=正确字数×准确率÷时间"), box);
    formula->setForeColor(QColor(0x5A, 0x6E, 0x82));
    formula->setFont(skin::font(8));
    col->addWidget(formula);
    return box;
}

void RunPanel::showLabels(const LiveLabels& l)
{
    m_timeUse->setCaption(l.Time_Use.trimmed());
    m_timeFree->setCaption(l.Time_Free.trimmed());
    m_speed->setCaption(l.Label_Speed.trimmed());
    m_right->setCaption(l.Label_Right.trimmed());
    m_wrong->setCaption(l.Label_Wrong.trimmed());
    m_percent->setCaption(l.Right_Percent.trimmed());
    m_one->setCaption(l.Label_One.trimmed());
    m_speed2->setCaption(l.Label_Speed2.trimmed());
}

void RunPanel::toggleSum()
{
    Check_Sum->setValue(!Check_Sum->Value());
    Frame_See_Sum->setVisible(Check_Sum->Value());
}

void RunPanel::toggleTime()
{
    Check_Time->setValue(!Check_Time->Value());
    Frame_See_Time->setVisible(Check_Time->Value());
}

void RunPanel::focusTestTime()
{
    Test_Time->setFocus();
    Test_Time->SelAll();
}

} // namespace tesmara
