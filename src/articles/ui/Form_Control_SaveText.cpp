#include "articles/ui/Form_Control_SaveText.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "articles/ArticleManager.h"
#include "articles/ui/EditorWindowHook.h"
#include "articles/ui/ManagerLook.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/TS.h"

#include <QGridLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace tesmara {

namespace {

Cmd* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new Cmd(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumWidth(120);
    return b;
}

} // namespace

Form_Control_SaveText::Form_Control_SaveText(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Control_SaveText"));
    setWindowTitle(QStringLiteral("管理保存的文章"));
    applyManagerLook(this);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 10, 12, 12);
    root->setSpacing(8);
    m_ts1 = new TS(this);
    m_ts1->setObjectName(QStringLiteral("TS1"));
    m_ts1->setTabCount(2);
    m_ts1->Set_Text(0, QStringLiteral("自定义文章"));
    m_ts1->Set_Text(1, QStringLiteral("错字复习"));
    m_ts1->setTSWhoUp(0);
    m_ts1->Make_Form();
    root->addWidget(m_ts1);

    // The list's caption above it; the buttons start level with the list.
    auto* body = new QGridLayout;
    m_label1 = new MSG_Label(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    body->addWidget(m_label1, 0, 0);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List_Text"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setMinimumSize(260, 280);
    styleArticleList(m_list);
    body->addWidget(m_list, 1, 0);
    body->setColumnStretch(0, 1);
    body->setRowStretch(1, 1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    Cmd* change = makeButton(this, "CMD_Change", QStringLiteral("修改所选文章"));
    Cmd* del = makeButton(this, "CMD_Del", QStringLiteral("删除所选文章"));
    Cmd* merge = makeButton(this, "CMD_HB", QStringLiteral("合并所选文章"));
    Cmd* quit = makeButton(this, "CMD_Quit", QStringLiteral("关闭"));
    quit->setDefault(true);
    buttons->addWidget(change);
    buttons->addWidget(del);
    buttons->addWidget(merge);
    buttons->addStretch(1);
    buttons->addWidget(quit);
    body->addLayout(buttons, 1, 1);
    root->addLayout(body, 1);

    connect(m_ts1, &TS::Click, this, &Form_Control_SaveText::TS1_Click);
    connect(change, &Cmd::Click, this, &Form_Control_SaveText::CMD_Change_Click);
    connect(del, &Cmd::Click, this, &Form_Control_SaveText::CMD_Del_Click);
    connect(merge, &Cmd::Click, this, &Form_Control_SaveText::CMD_HB_Click);
    connect(quit, &Cmd::Click, this, &QDialog::accept);

    TS1_Click();
}

QString Form_Control_SaveText::suffix() const
{
    return Article_Suffix(m_ts1->TSWhoUp() == 0 ? 0 : 1);
}

void Form_Control_SaveText::TS1_Click()
{
    const bool user = m_ts1->TSWhoUp() == 0;
    m_label1->setCaption(user ? QStringLiteral("用户自定义文章：") : QStringLiteral("易错字复习："));
    m_list->clear();
    const QStringList names = List_Articles(App().Conn_User, suffix());
    if (names.isEmpty()) {
        // The placeholder stands for no article: it cannot be selected.
        auto* item = new QListWidgetItem(No_Articles_Line(), m_list);
        item->setFlags(Qt::NoItemFlags);
        return;
    }
    m_list->addItems(names);
}

QStringList Form_Control_SaveText::selectedNames() const
{
    QStringList names;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem* item = m_list->item(row);
        if (item->isSelected() && (item->flags() & Qt::ItemIsSelectable)) {
            names.append(item->text());
        }
    }
    return names;
}

void Form_Control_SaveText::showEditor(ArticleEditor& editor)
{
    connect(&editor, &ArticleEditor::managerRefreshRequested, this, &Form_Control_SaveText::TS1_Click);
    connect(&editor, &ArticleEditor::articlesChanged, this, &Form_Control_SaveText::Reload_Menus);
    if (const EditorWindowShower& show = editorWindowShower()) {
        show(this, editor);
    } else {
        Show_Msg(QStringLiteral("文章编辑窗口不可用，无法修改或合并文章。"), 0, 0, QStringLiteral("错误"));
    }
}

void Form_Control_SaveText::CMD_Change_Click()
{
    const QStringList names = selectedNames();
    if (names.size() != 1) {
        Show_Msg(names.isEmpty() ? QStringLiteral("必须选择一个要修改的文章！")
                                 : QStringLiteral("只能选择一个要修改的文章！"),
                 0, 0, QStringLiteral("错误"));
        return;
    }
    const std::optional<QString> text = Article_Text(App().Conn_User, names.first(), suffix());
    if (!text) {
        Data_Error();
        TS1_Click();
        return;
    }
    ArticleEditor editor(App().Conn_User);
    editor.setName(names.first());
    editor.setText(*text);
    editor.setSuffix(suffix());
    editor.setMode(SaveMode::Change);
    showEditor(editor);
}

void Form_Control_SaveText::CMD_Del_Click()
{
    const QStringList names = selectedNames();
    if (names.isEmpty()) {
        Show_Msg(QStringLiteral("必须选择一个要删除的文章！"), 0, 0, QStringLiteral("错误"));
        return;
    }
    const bool several = names.size() > 1;
    const QString answer = several
                               ? Show_Msg(QStringLiteral("您选择了多个文章，真的要全部删除所选的文章吗?"), 2, 2,
                                          QStringLiteral("删除多个文章"))
                               : Show_Msg(QStringLiteral("真的要删除所选的文章吗?"), 2, 2, QStringLiteral("删除文章"));
    if (answer != QLatin1String("Yes")) {
        return;
    }
    Delete_Articles(App().Conn_User, names, suffix());
    Show_Msg(several ? QStringLiteral("所选的全部文章删除成功！") : QStringLiteral("所选的文章删除成功！"), 1, 0,
             QStringLiteral("操作成功"));
    TS1_Click();
    emit Reload_Menus();
}

void Form_Control_SaveText::CMD_HB_Click()
{
    const QStringList names = selectedNames();
    if (names.size() < 2) {
        Show_Msg(QStringLiteral("合并文章需要同时选择两篇或以上的文章！"), 0, 0, QStringLiteral("错误"));
        return;
    }
    const std::optional<QString> text = Merged_Text(App().Conn_User, names, suffix());
    if (!text) {
        Data_Error();
        TS1_Click();
        return;
    }
    ArticleEditor editor(App().Conn_User);
    editor.setName(QString());
    editor.setText(*text);
    editor.setSuffix(suffix());
    editor.setMode(SaveMode::Merge);
    const bool dropSources =
        Show_Msg(QStringLiteral("合并后是否删除所有原文章?"), 2, 2, QStringLiteral("确认")) == QLatin1String("Yes");
    editor.setMergeSources(dropSources ? names : QStringList());
    showEditor(editor);
}

void Show_SaveText_Manager(QWidget* parent, const std::function<void()>& reloadMenus)
{
    Form_Control_SaveText window(parent);
    if (reloadMenus) {
        QObject::connect(&window, &Form_Control_SaveText::Reload_Menus, reloadMenus);
    }
    window.exec();
}

} // namespace tesmara
