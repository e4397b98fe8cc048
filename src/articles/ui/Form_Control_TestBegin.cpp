#include "articles/ui/Form_Control_TestBegin.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "articles/PositionManager.h"
#include "articles/ui/Form_Input_Begin.h"
#include "articles/ui/ManagerLook.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/TS.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace tesmara {

namespace {

Form_Control_TestBegin::BeginAsker& asker()
{
    static Form_Control_TestBegin::BeginAsker a = Ask_Begin;
    return a;
}

Cmd* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new Cmd(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumWidth(200);
    return b;
}

void informSet(const QString& text)
{
    Show_Msg(text, 1, 0, QStringLiteral("设置成功"));
}

} // namespace

void Form_Control_TestBegin::setBeginAsker(BeginAsker a)
{
    asker() = a ? std::move(a) : BeginAsker(Ask_Begin);
}

Form_Control_TestBegin::Form_Control_TestBegin(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Control_TestBegin"));
    setWindowTitle(QStringLiteral("管理文章的起始位置"));
    applyManagerLook(this);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 10, 12, 12);
    root->setSpacing(8);
    m_ts1 = new TS(this);
    m_ts1->setObjectName(QStringLiteral("TS1"));
    m_ts1->setTabCount(kPositionTabs);
    m_ts1->Set_Text(0, QStringLiteral("中文文章"));
    m_ts1->Set_Text(1, QStringLiteral("英文文章"));
    m_ts1->Set_Text(2, QStringLiteral("自定义文章"));
    m_ts1->Set_Text(3, QStringLiteral("错字复习"));
    m_ts1->setTSWhoUp(0);
    m_ts1->Make_Form();
    root->addWidget(m_ts1);

    auto* body = new QHBoxLayout;
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List_Text"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(240, 316); // the twelve built-in Chinese texts without scrolling
    styleArticleList(m_list);
    body->addWidget(m_list, 1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    Cmd* all = makeButton(this, "CMD_All", QStringLiteral("清空全部类型全部文章的进度"));
    Cmd* now = makeButton(this, "CMD_Now", QStringLiteral("清空本类所有文章的进度"));
    Cmd* select = makeButton(this, "CMD_Select", QStringLiteral("清空所选文章的进度"));
    Cmd* set = makeButton(this, "CMD_Set", QStringLiteral("设置所选文章的进度"));
    Cmd* ok = makeButton(this, "CMD_Ok", QStringLiteral("关闭"));
    ok->setDefault(true);
    buttons->addWidget(all);
    buttons->addWidget(now);
    buttons->addSpacing(10);
    buttons->addWidget(select);
    buttons->addWidget(set);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    body->addLayout(buttons);
    root->addLayout(body, 1);

    m_label1 = new MSG_Label(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->hide();

    connect(m_ts1, &TS::Click, this, &Form_Control_TestBegin::TS1_Click);
    connect(all, &Cmd::Click, this, &Form_Control_TestBegin::CMD_All_Click);
    connect(now, &Cmd::Click, this, &Form_Control_TestBegin::CMD_Now_Click);
    connect(select, &Cmd::Click, this, &Form_Control_TestBegin::CMD_Select_Click);
    connect(set, &Cmd::Click, this, &Form_Control_TestBegin::CMD_Set_Click);
    connect(ok, &Cmd::Click, this, &QDialog::accept);

    TS1_Click();
}

void Form_Control_TestBegin::TS1_Click()
{
    m_list->clear();
    const QStringList items = Position_Items(App().Conn_User, m_ts1->TSWhoUp());
    m_list->addItems(items);
    if (items.size() == 1 && items.first() == No_Positions_Line() && m_ts1->TSWhoUp() >= 2) {
        // The placeholder stands for no article: it cannot be selected.
        m_list->item(0)->setFlags(Qt::NoItemFlags);
    }
}

QString Form_Control_TestBegin::selectedKey() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty() || !(selected.first()->flags() & Qt::ItemIsSelectable)) {
        return {};
    }
    const QListWidgetItem* item = selected.first();
    return Position_Key(m_ts1->TSWhoUp(), m_list->row(item), item->text());
}

void Form_Control_TestBegin::CMD_All_Click()
{
    Reset_All_Positions(App().Conn_User);
    informSet(QStringLiteral("设置成功，所有类型的所有文章下次将从头开始练习！"));
}

void Form_Control_TestBegin::CMD_Now_Click()
{
    Reset_Tab_Positions(App().Conn_User, m_ts1->TSWhoUp());
    informSet(QStringLiteral("设置成功，本类型所有文章下次将从头开始练习！"));
}

void Form_Control_TestBegin::CMD_Select_Click()
{
    const QString key = selectedKey();
    if (key.isEmpty()) {
        Show_Msg(QStringLiteral("您还没有选中任何的项！"), 0, 0, QStringLiteral("错误"));
        return;
    }
    Reset_Position(App().Conn_User, m_ts1->TSWhoUp(), key);
    informSet(QStringLiteral("设置成功，该文章下次将从头开始练习！"));
}

void Form_Control_TestBegin::CMD_Set_Click()
{
    const QString key = selectedKey();
    if (key.isEmpty()) {
        Show_Msg(QStringLiteral("您还没有选中任何的项！"), 0, 0, QStringLiteral("错误"));
        return;
    }
    const int tab = m_ts1->TSWhoUp();
    const std::optional<qint64> stored = Read_Position(App().Conn_User, tab, key);
    m_label1->setCaption(asker()(this, stored ? QString::number(*stored) : QString()));
    const QString entered = m_label1->Caption();
    if (entered.isEmpty()) {
        return;
    }
    const std::optional<qint64> position = Parse_Position(entered);
    if (!position) {
        Show_Msg(QStringLiteral("起始位置只能是 1 到 9 位的数字，请重新输入。"), 0, 0, QStringLiteral("错误"));
        return;
    }
    if (!Set_Position(App().Conn_User, tab, key, *position)) {
        Show_Msg(QStringLiteral("找不到该文章！"), 0, 0, QStringLiteral("错误"));
        TS1_Click();
        return;
    }
    informSet(QStringLiteral("设置成功，所选的文章下次将从第 ") + QString::number(*position) +
              QStringLiteral(" 个字符开始读取！"));
}

void Show_TestBegin_Manager(QWidget* parent)
{
    Form_Control_TestBegin window(parent);
    window.exec();
}

} // namespace tesmara
