#include "users/ui/UserWindow.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/Option.h"
#include "controls/ui/Skin.h"
#include "controls/ui/TS.h"
#include "users/UserAccounts.h"
#include "users/UserNames.h"
#include "users/ui/FormLook.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace tesmara {

namespace {

constexpr int kWidth = 400;
// Four rows of fields fit above the page's action button with room to spare.
constexpr int kRowHeight = 34;
constexpr int kFirstRowY = 38;
constexpr int kFieldX = 120;
constexpr int kFieldWidth = 190;

UserAccounts accounts()
{
    return UserAccounts(App().Conn_Main, App().App_Path);
}

} // namespace

UserWindow::UserWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_User"));
    setWindowTitle(QStringLiteral("用户管理"));
    setModal(true);
    buildControls();
    Load_User_List();
    selectPage(AddPage);
}

void UserWindow::run(int page, QWidget* parent)
{
    UserWindow window(parent);
    window.selectPage(page);
    window.exec();
}

void UserWindow::buildControls()
{
    setFixedSize(kWidth, 330);
    form::paintBackground(this);

    TS1 = new TS(this);
    TS1->setObjectName(QStringLiteral("TS1"));
    TS1->setTabCount(4);
    const QStringList titles{QStringLiteral("添加用户"), QStringLiteral("修改密码"), QStringLiteral("删除用户"),
                             QStringLiteral("登录模式")};
    for (int i = 0; i < titles.size(); ++i) {
        TS1->Set_Text(i, titles.at(i));
    }
    TS1->setTSETrue(true);
    TS1->setTSWhoUp(AddPage);
    TS1->Make_Form();
    TS1->setGeometry(14, 10, kWidth - 28, TS1->sizeHint().height());

    const int frameTop = TS1->geometry().bottom() + 5;
    Frame1 = form::frame(this, QStringLiteral("Frame1"), QRect(14, frameTop, kWidth - 28, 228));
    Frame1_Title = new QLabel(Frame1);
    Frame1_Title->setObjectName(QStringLiteral("Frame1_Title"));
    Frame1_Title->setGeometry(12, 8, 200, 22);
    QFont bold = skin::font(9);
    bold.setBold(true);
    Frame1_Title->setFont(bold);
    Frame1_Title->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    for (int i = 0; i < 4; ++i) {
        Label1[i] = form::caption(Frame1, QStringLiteral("Label1_%1").arg(i), QString(), QRect());
    }
    UserName = form::comboBox(Frame1, QStringLiteral("UserName"), QRect());
    Text_UserName = form::textBox(Frame1, QStringLiteral("Text_UserName"), QRect(), false);
    Text_UserName->setMaxLength(64);
    Text_Old = form::textBox(Frame1, QStringLiteral("Text_Old"), QRect(), true);
    Text_New1 = form::textBox(Frame1, QStringLiteral("Text_New1"), QRect(), true);
    Text_New2 = form::textBox(Frame1, QStringLiteral("Text_New2"), QRect(), true);
    const QStringList optionCaptions{QStringLiteral("手动登录"), QStringLiteral("用以下用户自动登录")};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = new Option(optionCaptions.at(i), Frame1);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setBackColor(form::background());
        Option1[i]->setGeometry(kFieldX - 40, 36 + i * 30, 220, 26);
        connect(Option1[i], &Option::Click, this, [this, i] { optionClicked(i); });
    }
    auto action = [&](const QString& name, const QString& caption) {
        Cmd* cmd = new Cmd(caption, Frame1);
        cmd->setObjectName(name);
        cmd->setDefault(true);
        cmd->setGeometry(Frame1->width() - 104, Frame1->height() - 44, 88, 30);
        return cmd;
    };
    CMD_Add = action(QStringLiteral("CMD_Add"), QStringLiteral("添加"));
    CMD_Change = action(QStringLiteral("CMD_Change"), QStringLiteral("修改"));
    CMD_Del = action(QStringLiteral("CMD_Del"), QStringLiteral("删除"));
    CMD_LoginMode = action(QStringLiteral("CMD_LoginMode"), QStringLiteral("应用"));
    CMD_Exit = new Cmd(QStringLiteral("关闭"), this);
    CMD_Exit->setObjectName(QStringLiteral("CMD_Exit"));
    CMD_Exit->setGeometry(kWidth - 102, 282, 88, 30);

    connect(TS1, &TS::Click, this, &UserWindow::TS1_Click);
    connect(CMD_Add, &Cmd::Click, this, &UserWindow::addClicked);
    connect(CMD_Change, &Cmd::Click, this, &UserWindow::changeClicked);
    connect(CMD_Del, &Cmd::Click, this, &UserWindow::deleteClicked);
    connect(CMD_LoginMode, &Cmd::Click, this, &UserWindow::loginModeClicked);
    connect(CMD_Exit, &Cmd::Click, this, &QDialog::close);
}

void UserWindow::Load_User_List()
{
    UserName->clear();
    UserName->addItems(accounts().names());
    if (UserName->count() > 0) {
        UserName->setCurrentIndex(0);
    }
}

int UserWindow::page() const
{
    return TS1->TSWhoUp();
}

void UserWindow::selectPage(int page)
{
    TS1->setTSWhoUp(page);
    TS1_Click();
}

void UserWindow::layoutRows(const QList<QWidget*>& fields, const QStringList& captions, int firstRow)
{
    for (int i = 0; i < 4; ++i) {
        Label1[i]->setVisible(i < fields.size());
    }
    for (int i = 0; i < fields.size(); ++i) {
        const int y = kFirstRowY + (firstRow + i) * kRowHeight;
        Label1[i]->setText(captions.at(i));
        Label1[i]->setGeometry(10, y, kFieldX - 16, 26);
        fields.at(i)->setGeometry(kFieldX, y, kFieldWidth, 26);
        fields.at(i)->show();
    }
}

void UserWindow::TS1_Click()
{
    if (UserName->count() == 0 && page() != AddPage) {
        Show_Msg(QStringLiteral("用户列表为空，当前只能进行添加用户的操作！"), 1, 0, QStringLiteral("提示"));
        TS1->setTSWhoUp(AddPage);
    }
    const QList<QWidget*> all{UserName,   Text_UserName, Text_Old,      Text_New1,  Text_New2, CMD_Add,
                              CMD_Change, CMD_Del,       CMD_LoginMode, Option1[0], Option1[1]};
    for (QWidget* w : all) {
        w->hide();
    }
    const QString name = QStringLiteral("用户名：");
    switch (page()) {
    case AddPage:
        Frame1_Title->setText(QStringLiteral("添加用户："));
        layoutRows({Text_UserName, Text_New1, Text_New2},
                   {name, QStringLiteral("密码："), QStringLiteral("确认密码：")}, 0);
        CMD_Add->show();
        Text_UserName->setFocus();
        break;
    case ChangePage:
        Frame1_Title->setText(QStringLiteral("修改密码："));
        layoutRows({UserName, Text_Old, Text_New1, Text_New2},
                   {name, QStringLiteral("旧密码："), QStringLiteral("新密码："), QStringLiteral("确认新密码：")}, 0);
        CMD_Change->show();
        Text_Old->setFocus();
        break;
    case DeletePage:
        Frame1_Title->setText(QStringLiteral("删除用户："));
        layoutRows({UserName, Text_Old}, {name, QStringLiteral("密码：")}, 0);
        CMD_Del->show();
        Text_Old->setFocus();
        break;
    case LoginModePage:
        Frame1_Title->setText(QStringLiteral("登录模式："));
        Option1[0]->show();
        Option1[1]->show();
        layoutRows({UserName, Text_New1}, {name, QStringLiteral("密  码：")}, 2);
        CMD_LoginMode->show();
        break;
    }
}

void UserWindow::optionClicked(int index)
{
    Option1[index]->setValue(true);
    Option1[1 - index]->setValue(false);
}

void UserWindow::addClicked()
{
    Text_UserName->setText(trimUserName(Text_UserName->text()));
    using R = UserAccounts::AddResult;
    switch (accounts().add(Text_UserName->text(), Text_New1->text(), Text_New2->text())) {
    case R::EmptyName:
    case R::NameTooLong:
        Text_UserName->setFocus();
        break;
    case R::RefusedCharacter:
    case R::Duplicate:
        Text_UserName->selectAll();
        Text_UserName->setFocus();
        break;
    case R::PasswordsDiffer:
        Text_New1->clear();
        Text_New2->clear();
        Text_New1->setFocus();
        break;
    case R::EmptyPasswordRefused:
        Text_New1->setFocus();
        break;
    case R::Failed:
        break;
    case R::Added:
        QCoreApplication::processEvents();
        Load_User_List();
        Text_UserName->clear();
        Text_New1->clear();
        Text_New2->clear();
        break;
    }
}

void UserWindow::changeClicked()
{
    using R = UserAccounts::ChangeResult;
    switch (
        accounts().changePassword(UserName->currentText(), Text_Old->text(), Text_New1->text(), Text_New2->text())) {
    case R::NoUsers:
        selectPage(AddPage);
        break;
    case R::WrongOldPassword:
        Text_Old->setFocus();
        break;
    case R::PasswordsDiffer:
    case R::EmptyPasswordRefused:
        Text_New1->setFocus();
        break;
    case R::Changed:
        Text_Old->clear();
        Text_New1->clear();
        Text_New2->clear();
        break;
    }
}

void UserWindow::deleteClicked()
{
    using R = UserAccounts::DeleteResult;
    switch (accounts().remove(UserName->currentText(), Text_Old->text(), App().User_Name)) {
    case R::WrongPassword:
        Text_Old->setFocus();
        break;
    case R::LoggedIn:
    case R::NotConfirmed:
        break;
    case R::Deleted:
        Text_Old->clear();
        Load_User_List();
        break;
    case R::Failed:
        Load_User_List();
        break;
    }
}

void UserWindow::loginModeClicked()
{
    using M = UserAccounts::LoginMode;
    const M mode = Option1[0]->Value() ? M::Manual : Option1[1]->Value() ? M::Automatic : M::None;
    using R = UserAccounts::ModeResult;
    switch (accounts().setLoginMode(mode, UserName->currentText(), Text_New1->text())) {
    case R::EmptyPassword:
        Text_New1->setFocus();
        break;
    case R::WrongPassword:
        Text_New1->selectAll();
        Text_New1->setFocus();
        break;
    case R::NoModeChosen:
    case R::Applied:
        break;
    }
}

} // namespace tesmara
