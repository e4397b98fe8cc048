#include "users/Login.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "mistakes/MistakeStore.h"
#include "store/Database.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "users/UserAccounts.h"
#include "users/UserNames.h"

#include <QDir>
#include <QFileInfo>

namespace tesmara {

namespace {

bool ensureFolder(const QString& folder)
{
    return QFileInfo(folder).isDir() || QDir().mkdir(folder);
}

std::optional<FirstWindow> failLogin(const QString& text)
{
    AppState& app = App();
    app.closeUser();
    Show_Msg(text, 0, 0, QStringLiteral("错误"));
    return std::nullopt;
}

} // namespace

std::optional<FirstWindow> Login_Data()
{
    AppState& app = App();
    const QString name = app.User_Name;
    // Names reach the application database from elsewhere too (an older
    // program, another tool): only a name the add-user rules accept may
    // become a folder name.
    if (!isUsableUserName(name)) {
        return failLogin(
            QStringLiteral("用户名“%1”不能用作文件夹名，无法登录。\r\n请在“用户管理”中删除这个用户。").arg(name));
    }
    const QString root = app.App_Path + QStringLiteral("user");
    const QString folder = root + QLatin1Char('/') + name;
    if (!ensureFolder(root) || !ensureFolder(folder)) {
        return failLogin(QStringLiteral("无法建立用户文件夹：%1").arg(QDir::toNativeSeparators(folder)));
    }
    const QString path = userDbPath(app.App_Path, name);
    if (!QFileInfo::exists(path)) {
        // Statistics without their database are kept aside, not continued.
        if (!MistakeStore::moveAsideFor(path)) {
            return failLogin(QStringLiteral("无法改名保存原有的错误统计文件：%1")
                                 .arg(QDir::toNativeSeparators(MistakeStore::fileFor(path))));
        }
        QString error;
        if (!Create_User_Db(app.App_Path, name, &error)) {
            return failLogin(error);
        }
        Show_Msg(QStringLiteral("用户配置文件不存在，将采用默认配置。"), 1, 0, QStringLiteral("提示"));
    }
    QString error;
    if (!app.Conn_User.open(path, Database::Mode::ReadWrite, &error) || !app.Conn_User.hasTable("set_")) {
        if (error.isEmpty()) {
            error = QStringLiteral("缺少数据表。");
        }
        return failLogin(QStringLiteral("用户数据文件已损坏：\r\n%1\r\n%2").arg(QDir::toNativeSeparators(path), error));
    }
    // A file that cannot be written opens for reading only, without a word:
    // the user would practise and lose the record at the end.
    if (!app.Conn_User.writable(&error)) {
        return failLogin(
            QStringLiteral("无法写入用户数据文件：\r\n%1\r\n%2\r\n请检查该文件和它所在的文件夹是否允许写入。")
                .arg(QDir::toNativeSeparators(path), error));
    }
    // Reading repairs a missing or out-of-range value to "0".
    const QString mode = Settings(app.Conn_User, app.App_Path).text(QStringLiteral("Last_Test_Mode"));
    // The phrase list only feeds the phrase drills' code hints; a missing
    // file leaves them without hints rather than keeping the user out.
    app.Conn_Phrase.open(app.Share_Path + QStringLiteral("p.dat"), Database::Mode::ReadOnly);
    app.User_Name = name;
    return mode == QLatin1String("1") ? FirstWindow::Game : FirstWindow::Practice;
}

LoginResult logIn(const QString& name, const QString& password, bool rememberLogin, FirstWindow* first)
{
    AppState& app = App();
    UserAccounts accounts(app.Conn_Main, app.App_Path);
    if (accounts.count() == 0) {
        Show_Msg(QStringLiteral("当前用户列表为空，请单击右边的添加用户按钮添加本地用户！"), 1, 0,
                 QStringLiteral("提示"));
        return LoginResult::NoUsers;
    }
    if (!accounts.passwordMatches(name, password)) {
        Show_Msg(QStringLiteral("您输入的密码错误！"), 0, 0, QStringLiteral("密码错误"));
        return LoginResult::WrongPassword;
    }
    app.User_Name = name;
    const auto window = Login_Data();
    if (!window) {
        return LoginResult::DataFailed;
    }
    accounts.moveToFront(name);
    if (rememberLogin) {
        accounts.rememberForAutoLogin(name, Code_Of(name + password));
    } else {
        Settings(app.Conn_Main, app.App_Path).clear(QStringLiteral("Auto_Login_Name"));
    }
    if (first) {
        *first = *window;
    }
    return LoginResult::LoggedIn;
}

} // namespace tesmara
