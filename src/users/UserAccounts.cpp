#include "users/UserAccounts.h"

#include "app/Msg.h"
#include "mistakes/MistakeStore.h"
#include "store/Database.h"
#include "store/FileAside.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "users/UserNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace tesmara {

namespace {

const QString kError = QStringLiteral("错误");
const QString kDone = QStringLiteral("操作成功");
const QString kMismatch = QStringLiteral("两次输入的密码不一样，请重新输入！");
const QString kEmptyPassword = QStringLiteral("您输入的密码为空，真的要使用空密码吗?");

void error(const QString& text, const QString& title = kError)
{
    Show_Msg(text, 0, 0, title);
}

void done(const QString& text)
{
    Show_Msg(text, 1, 0, kDone);
}

bool askYes(const QString& text, const QString& title)
{
    return Show_Msg(text, 2, 2, title) == QLatin1String("Yes");
}

} // namespace

UserAccounts::UserAccounts(Database& main, QString appPath) : m_db(main), m_appPath(std::move(appPath)) {}

QStringList UserAccounts::names()
{
    QStringList list;
    // ID breaks ties so equal recency values keep the order users were added.
    QSqlQuery q = m_db.exec(QStringLiteral("select Un from [user] order by I, ID"));
    while (q.next()) {
        list << q.value(0).toString();
    }
    return list;
}

int UserAccounts::count()
{
    return m_db.scalar(QStringLiteral("select count(*) from [user]")).value_or(0).toInt();
}

bool UserAccounts::exists(const QString& name)
{
    return m_db.hasRow(QStringLiteral("select ID from [user] where Un = ?"), {name});
}

bool UserAccounts::passwordMatches(const QString& name, const QString& password)
{
    return m_db.hasRow(QStringLiteral("select ID from [user] where Un = ? and Pw = ?"),
                       {name, Code_Of(name + password)});
}

bool UserAccounts::makeUserFiles(const QString& name, QString* errorText, QString* keptAs)
{
    const QString root = m_appPath + QStringLiteral("user");
    const QString folder = root + QLatin1Char('/') + name;
    const bool hadRoot = QFileInfo(root).isDir();
    const bool hadFolder = QFileInfo(folder).isDir();
    auto undo = [&] {
        if (!hadFolder) {
            QDir().rmdir(folder);
        }
        if (!hadRoot) {
            QDir().rmdir(root);
        }
    };
    if ((!hadRoot && !QDir().mkdir(root)) || (!hadFolder && !QDir().mkdir(folder))) {
        *errorText = QStringLiteral("无法建立文件夹：%1").arg(QDir::toNativeSeparators(folder));
        undo();
        return false;
    }
    // A database left in the folder (by a user deleted by hand, or added
    // again) may hold somebody's records: it is kept under a dated name, and
    // so are statistics left there, which the new user does not count on.
    const QString file = userDbPath(m_appPath, name);
    if (QFileInfo::exists(file) && !moveAside(file, keptAs)) {
        *errorText = QStringLiteral("无法改名保存原有的数据文件：%1").arg(QDir::toNativeSeparators(file));
        return false;
    }
    if (!MistakeStore::moveAsideFor(file)) {
        *errorText = QStringLiteral("无法改名保存原有的错误统计文件：%1")
                         .arg(QDir::toNativeSeparators(MistakeStore::fileFor(file)));
        return false;
    }
    if (!Create_User_Db(m_appPath, name, errorText)) {
        undo();
        return false;
    }
    return true;
}

UserAccounts::AddResult UserAccounts::add(const QString& rawName, const QString& password, const QString& repeated,
                                          QString* trimmedName)
{
    const QString name = trimUserName(rawName);
    if (trimmedName) {
        *trimmedName = name;
    }
    char32_t fault = 0;
    switch (checkUserName(name, &fault)) {
    case NameProblem::Empty:
        error(QStringLiteral("您还没有输入用户名呢！"));
        return AddResult::EmptyName;
    case NameProblem::TooLong:
        error(QStringLiteral("用户名最大长度为 20 个字符！"));
        return AddResult::NameTooLong;
    case NameProblem::RefusedCharacter:
        error(QStringLiteral("用户名中不得含有以下字符：\r\n") + refusedCharactersText());
        return AddResult::RefusedCharacter;
    case NameProblem::Invisible:
        error(invisibleCharacterText(fault));
        return AddResult::RefusedCharacter;
    case NameProblem::None:
        break;
    }
    if (password != repeated) {
        error(kMismatch);
        return AddResult::PasswordsDiffer;
    }
    if (password.isEmpty() && !askYes(kEmptyPassword, kError)) {
        return AddResult::EmptyPasswordRefused;
    }
    // Folders of names that differ only in letter case would clash on a
    // case-blind file system, so such names count as the same.
    if (m_db.hasRow(QStringLiteral("select ID from [user] where Un = ? collate nocase"), {name})) {
        error(QStringLiteral("已经有同名的用户了，请选另一个用户名！"));
        return AddResult::Duplicate;
    }
    // The files come first: when they cannot be made the user is not added
    // at all, instead of existing without a database.
    QString failure;
    QString keptAs;
    if (!makeUserFiles(name, &failure, &keptAs)) {
        error(failure);
        return AddResult::Failed;
    }
    m_db.exec(QStringLiteral("insert into [user] (Un, Pw, I) values (?, ?, ?)"),
              {name, Code_Of(name + password), count()});
    QString text = QStringLiteral("    用户 %1 添加成功！如需使用该新增用户登录，\r\n"
                                  "请关闭“用户管理”窗口转到登录窗口进行登录。。")
                       .arg(name);
    if (!keptAs.isEmpty()) {
        text +=
            QStringLiteral("\r\n\r\n该用户文件夹中原有的数据文件已改名保存为：\r\n") + QDir::toNativeSeparators(keptAs);
    }
    done(text);
    return AddResult::Added;
}

UserAccounts::ChangeResult UserAccounts::changePassword(const QString& name, const QString& oldPassword,
                                                        const QString& password, const QString& repeated)
{
    if (count() == 0) {
        error(QStringLiteral("对不起，用户列表为空，请先添加用户！"));
        return ChangeResult::NoUsers;
    }
    if (!passwordMatches(name, oldPassword)) {
        error(QStringLiteral("对不起，您输入的旧密码错误！"));
        return ChangeResult::WrongOldPassword;
    }
    if (password != repeated) {
        error(kMismatch);
        return ChangeResult::PasswordsDiffer;
    }
    if (password.isEmpty() && !askYes(kEmptyPassword, QStringLiteral("请确认"))) {
        return ChangeResult::EmptyPasswordRefused;
    }
    m_db.exec(QStringLiteral("update [user] set Pw = ? where Un = ?"), {Code_Of(name + password), name});
    done(QStringLiteral("用户 %1 的密码修改成功！").arg(name));
    return ChangeResult::Changed;
}

UserAccounts::DeleteResult UserAccounts::remove(const QString& name, const QString& password, const QString& loggedIn)
{
    if (!loggedIn.isEmpty() && loggedIn == name) {
        Show_Msg(QStringLiteral("    对不起，此用户当前正在登录状态。\r\n"
                                "如果您想要删除此用户的话，请在登录窗口中调用删除功能。"),
                 1, 0, QStringLiteral("提示"));
        return DeleteResult::LoggedIn;
    }
    if (!passwordMatches(name, password)) {
        error(QStringLiteral("对不起，您输入的密码错误！"));
        return DeleteResult::WrongPassword;
    }
    if (!askYes(QStringLiteral("真的要删除用户：%1 吗?").arg(name), QStringLiteral("请确认"))) {
        return DeleteResult::NotConfirmed;
    }
    // The database is moved aside first: when the folder refuses that, the
    // user stays as they were. A file deleted by hand is simply gone already.
    // A name that is no folder name (written by another program) has no
    // files of its own to delete: only its row goes.
    const QString file = userDbPath(m_appPath, name);
    const QString aside = file + QStringLiteral(".deleted");
    const bool hasFile = isUsableUserName(name) && QFileInfo::exists(file);
    if (hasFile) {
        QFile::remove(aside);
        if (!QFile::rename(file, aside)) {
            error(QStringLiteral("无法删除文件：%1").arg(QDir::toNativeSeparators(file)));
            return DeleteResult::Failed;
        }
    }
    const bool removed = m_db.transaction([&] {
        m_db.exec(QStringLiteral("delete from [user] where Un = ?"), {name});
        QList<int> ids;
        QSqlQuery q = m_db.exec(QStringLiteral("select ID from [user] order by I, ID"));
        while (q.next()) {
            ids << q.value(0).toInt();
        }
        for (int i = 0; i < ids.size(); ++i) {
            m_db.exec(QStringLiteral("update [user] set I = ? where ID = ?"), {i, ids.at(i)});
        }
        return true;
    });
    if (!removed) {
        if (hasFile) {
            QFile::rename(aside, file);
        }
        return DeleteResult::Failed;
    }
    if (hasFile) {
        QFile::remove(aside);
    }
    // The user's mistake statistics go with them.
    if (isUsableUserName(name)) {
        MistakeStore::removeFor(file);
    }
    done(QStringLiteral("用户 %1 已成功删除！").arg(name));
    return DeleteResult::Deleted;
}

UserAccounts::ModeResult UserAccounts::setLoginMode(LoginMode mode, const QString& name, const QString& password)
{
    const QString success = QStringLiteral("自动登录设置成功！");
    switch (mode) {
    case LoginMode::None:
        error(QStringLiteral("请选择登录模式！"));
        return ModeResult::NoModeChosen;
    case LoginMode::Manual:
        Settings(m_db, m_appPath).clear(QStringLiteral("Auto_Login_Name"));
        done(success);
        return ModeResult::Applied;
    case LoginMode::Automatic:
        break;
    }
    if (password.isEmpty()) {
        error(QStringLiteral("请输入密码！"));
        return ModeResult::EmptyPassword;
    }
    if (!passwordMatches(name, password)) {
        error(QStringLiteral("您输入的密码错误！"), QStringLiteral("密码错误"));
        return ModeResult::WrongPassword;
    }
    rememberForAutoLogin(name, Code_Of(name + password));
    done(success);
    return ModeResult::Applied;
}

void UserAccounts::rememberForAutoLogin(const QString& name, const QString& pw)
{
    Settings settings(m_db, m_appPath);
    settings.setValue(QStringLiteral("Auto_Login_Name"), name);
    settings.setValue(QStringLiteral("Auto_Login_PassWord"), Code_Of(name + pw));
}

void UserAccounts::moveToFront(const QString& name)
{
    m_db.transaction([&] {
        QList<int> ids;
        QSqlQuery q = m_db.exec(QStringLiteral("select ID from [user] where Un <> ? order by ID"), {name});
        while (q.next()) {
            ids << q.value(0).toInt();
        }
        for (int i = 0; i < ids.size(); ++i) {
            m_db.exec(QStringLiteral("update [user] set I = ? where ID = ?"), {i + 1, ids.at(i)});
        }
        m_db.exec(QStringLiteral("update [user] set I = 0 where Un = ?"), {name});
        return true;
    });
}

} // namespace tesmara
