#include "users/ui/LoginWindow.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "app/ui/LoginHandOff.h"
#include "app/ui/WindowRegistry.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/Picture.h"
#include "controls/ui/Skin.h"
#include "users/Login.h"
#include "users/UserAccounts.h"
#include "users/ui/FormLook.h"
#include "users/ui/UserWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QUrl>

namespace tesmara {

namespace {

const QString kReleaseDate = QStringLiteral("2012年3月20日");
const QString kLoginCaption = QStringLiteral("登   录");
const QString kCloseCaption = QStringLiteral("关  闭");
constexpr int kWidth = 420;
constexpr int kHeight = 404;

QString mailAddress()
{
    QString address = QString::fromUtf8(kMailAddress);
    if (address.startsWith(QLatin1String("mailto:"))) {
        address.remove(0, 7);
    }
    return address;
}

// A head and shoulders beside the login fields.
QPixmap userPicture(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdc, 0xe9, 0xf7));
    p.drawEllipse(QRectF(0, 0, side, side));
    p.setBrush(QColor(0x4a, 0x82, 0xc3));
    p.drawEllipse(QRectF(side * 0.34, side * 0.18, side * 0.32, side * 0.32));
    // The shoulders are cut off by the round frame.
    QPainterPath circle;
    circle.addEllipse(QRectF(0, 0, side, side));
    p.setClipPath(circle);
    p.drawEllipse(QRectF(side * 0.18, side * 0.56, side * 0.64, side * 0.56));
    return pixmap;
}

} // namespace

std::function<bool(const QUrl&)>& LoginWindow::urlOpener()
{
    static std::function<bool(const QUrl&)> opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

LoginWindow::LoginWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form_Login"));
    buildControls();
    // A logged-in user opens this window from the Help menu: the About box.
    m_about = !App().User_Name.isEmpty();
    if (m_about) {
        Frame1_0->hide();
        Label_About->setText(QStringLiteral("软件名称：Tesmara\n\n软件版本：%1\n\n发布日期：%2")
                                 .arg(QLatin1String(kVersion), kReleaseDate));
        Label_About->adjustSize();
        Label_About->move((width() - Label_About->width()) / 2, Frame1_0->y() + 14);
        Label_About->show();
        CMD_Login->setCaption(kCloseCaption);
    }
}

void LoginWindow::buildControls()
{
    setWindowTitle(QStringLiteral("Tesmara %1 (%2 发布)").arg(QLatin1String(kVersion), kReleaseDate));
    setFixedSize(kWidth, kHeight);
    form::paintBackground(this);
    setMouseTracking(true);

    // The banner is drawn at build time: no large or bold font at start.
    Image_Logo = form::picture(this, QStringLiteral("Image_Logo"),
                               QPixmap::fromImage(pngImage(QStringLiteral(":/data/pictures/logo.png"))));
    Image_Logo->move(0, 0);

    Frame1_0 = form::frame(this, QStringLiteral("Frame1_0"), QRect(14, 98, kWidth - 28, 160));
    Image1 = form::picture(Frame1_0, QStringLiteral("Image1"), userPicture(52));
    Image1->move(16, 22);
    form::caption(Frame1_0, QStringLiteral("Label_UserName"), QStringLiteral("用户名："), QRect(80, 22, 58, 26));
    UserName = form::comboBox(Frame1_0, QStringLiteral("UserName"), QRect(140, 22, 150, 26));
    form::caption(Frame1_0, QStringLiteral("Label_PassWord"), QStringLiteral("密  码："), QRect(80, 60, 58, 26));
    PassWord = form::textBox(Frame1_0, QStringLiteral("PassWord"), QRect(140, 60, 150, 26), true);
    Check_Box1 = new Check_Box(QStringLiteral("以后自动用此用户登录"), Frame1_0);
    Check_Box1->setObjectName(QStringLiteral("Check_Box1"));
    Check_Box1->setBackColor(form::background());
    Check_Box1->setGeometry(80, 100, 210, 24);

    const int buttonX = Frame1_0->width() - 92;
    auto button = [&](const QString& name, const QString& caption, int y) {
        Cmd* cmd = new Cmd(caption, Frame1_0);
        cmd->setObjectName(name);
        cmd->setGeometry(buttonX, y, 80, 28);
        return cmd;
    };
    CMD_Add = button(QStringLiteral("CMD_Add"), QStringLiteral("添加用户"), 14);
    CMD_Change = button(QStringLiteral("CMD_Change"), QStringLiteral("修改密码"), 48);
    CMD_Del = button(QStringLiteral("CMD_Del"), QStringLiteral("删除用户"), 82);
    CMD_LoginMode = button(QStringLiteral("CMD_LoginMode"), QStringLiteral("登录模式"), 116);

    CMD_Login = new Cmd(kLoginCaption, this);
    CMD_Login->setObjectName(QStringLiteral("CMD_Login"));
    CMD_Login->setDefault(true);
    CMD_Login->setGeometry((kWidth - 110) / 2, 270, 110, 32);

    Label_About = new QLabel(this);
    Label_About->setObjectName(QStringLiteral("Label_About"));
    Label_About->setFont(skin::font(11));
    Label_About->hide();

    auto link = [&](const QString& name, const QString& text, int y) {
        QLabel* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        label->adjustSize();
        label->move((kWidth - label->width()) / 2, y);
        label->installEventFilter(this);
        setLinkHot(label, false);
        return label;
    };
    Label_WWW = link(
        QStringLiteral("Label_WWW"),
        QStringLiteral("点击此处检查 < Tesmara > 的更新版本\n官方下载地址：%1").arg(QString::fromUtf8(kDownloadPage)),
        314);
    Label_Mail = link(QStringLiteral("Label_Mail"),
                      QStringLiteral("如果有什么意见或建议的话，欢迎来信\nE-Mail 地址：%1").arg(mailAddress()), 358);

    connect(UserName, &QComboBox::activated, this, [this] {
        if (isVisible()) {
            PassWord->setFocus();
        }
    });
    connect(CMD_Login, &Cmd::Click, this, &LoginWindow::loginClicked);
    connect(CMD_Add, &Cmd::Click, this, [this] { openUserManagement(UserWindow::AddPage); });
    connect(CMD_Change, &Cmd::Click, this, [this] { openUserManagement(UserWindow::ChangePage); });
    connect(CMD_Del, &Cmd::Click, this, [this] { openUserManagement(UserWindow::DeletePage); });
    connect(CMD_LoginMode, &Cmd::Click, this, [this] { openUserManagement(UserWindow::LoginModePage); });
}

void LoginWindow::setLinkHot(QLabel* label, bool hot)
{
    // &HFF0000 at rest, 192 (dark red) under the mouse.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, skin::fromVb(hot ? 0xC0 : 0xFF0000));
    label->setPalette(palette);
}

bool LoginWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label_WWW || watched == Label_Mail) {
        auto* label = static_cast<QLabel*>(watched);
        switch (event->type()) {
        case QEvent::Enter:
            setLinkHot(label, true);
            break;
        case QEvent::Leave:
            setLinkHot(label, false);
            break;
        case QEvent::MouseButtonRelease:
            if (label == Label_WWW) {
                urlOpener()(QUrl(QString::fromUtf8(kDownloadPage)));
            } else {
                urlOpener()(QUrl(QString::fromUtf8(kMailAddress) + QStringLiteral("?subject=关于 Tesmara")));
            }
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LoginWindow::mouseMoveEvent(QMouseEvent* event)
{
    setLinkHot(Label_WWW, false);
    setLinkHot(Label_Mail, false);
    QWidget::mouseMoveEvent(event);
}

void LoginWindow::Load_User_List()
{
    UserName->clear();
    const QStringList names = UserAccounts(App().Conn_Main, App().App_Path).names();
    if (names.isEmpty()) {
        if (Show_Msg(QStringLiteral("您好，当前软件没有添加任何用户，现在就进行用户添加操作吗?"), 2, 2,
                     QStringLiteral("提示")) == QLatin1String("Yes")) {
            CMD_Add->click();
        }
        return;
    }
    UserName->addItems(names);
    UserName->setCurrentIndex(0);
    show();
    PassWord->setFocus();
    QCoreApplication::processEvents();
}

void LoginWindow::openUserManagement(int page)
{
    {
        UserWindow window(this);
        window.selectPage(page);
        window.exec();
    }
    Load_User_List();
}

void LoginWindow::loginClicked()
{
    if (m_about) {
        close();
        return;
    }
    if (UserName->count() == 0) {
        Show_Msg(QStringLiteral("当前用户列表为空，请单击右边的添加用户按钮添加本地用户！"), 1, 0,
                 QStringLiteral("提示"));
        return;
    }
    FirstWindow first = FirstWindow::Practice;
    switch (logIn(UserName->currentText(), PassWord->text(), Check_Box1->Value(), &first)) {
    case LoginResult::WrongPassword:
        PassWord->selectAll();
        PassWord->setFocus();
        return;
    case LoginResult::NoUsers:
    case LoginResult::DataFailed:
        return;
    case LoginResult::LoggedIn:
        break;
    }
    openFirstWindow(first);
    close();
}

void LoginWindow::Login_()
{
    if (openSession()) {
        close();
    }
}

void LoginWindow::openFirstWindow(FirstWindow first)
{
    WindowRegistry& registry = windowRegistry();
    if (first == FirstWindow::Game && registry.openGameWindow) {
        registry.openGameWindow();
    } else if (registry.openMainWindow) {
        registry.openMainWindow();
    }
}

bool LoginWindow::openSession()
{
    const auto first = Login_Data();
    if (!first) {
        return false;
    }
    openFirstWindow(*first);
    return true;
}

void LoginWindow::showLoginWindow()
{
    auto* window = new LoginWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The first window opens in the middle of the screen, where the
    // program's messages appear too.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }
    window->show();
    window->Load_User_List();
}

void LoginWindow::autoLogin()
{
    // When the remembered user's files cannot be opened, the user chooses
    // again in the login window.
    if (!openSession()) {
        showLoginWindow();
    }
}

void LoginWindow::showAbout(QWidget* parent)
{
    LoginWindow* about = new LoginWindow(parent);
    about->setWindowFlags(Qt::Dialog);
    about->setWindowModality(Qt::ApplicationModal);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
}

void LoginWindow::install()
{
    loginHandOff().autoLogin = &LoginWindow::autoLogin;
    loginHandOff().showLoginWindow = &LoginWindow::showLoginWindow;
}

} // namespace tesmara
