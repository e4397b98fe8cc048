#pragma once

#include <QString>
#include <QStringList>

namespace tesmara {

class Database;

// The local accounts kept in the `user` table of the application database
// and the users' folders below the program folder. Every operation checks its
// input, tells the user through Show_Msg with the fixed title and text, and
// reports what happened so the window can move the focus.
class UserAccounts {
public:
    UserAccounts(Database& main, QString appPath);

    // User names, the most recently logged-in first.
    QStringList names();
    int count();
    bool exists(const QString& name);
    // True when `password` is the stored password of `name`.
    bool passwordMatches(const QString& name, const QString& password);

    enum class AddResult {
        Added,
        EmptyName,
        NameTooLong,
        RefusedCharacter,
        PasswordsDiffer,
        EmptyPasswordRefused,
        Duplicate,
        Failed, // the folder or database could not be made; nothing was added
    };
    // Adds a user: the name is trimmed first (`trimmedName` receives it).
    AddResult add(const QString& name, const QString& password, const QString& repeated,
                  QString* trimmedName = nullptr);

    enum class ChangeResult { Changed, NoUsers, WrongOldPassword, PasswordsDiffer, EmptyPasswordRefused };
    ChangeResult changePassword(const QString& name, const QString& oldPassword, const QString& password,
                                const QString& repeated);

    enum class DeleteResult { Deleted, LoggedIn, WrongPassword, NotConfirmed, Failed };
    // Deletes a user and their database file; the folder stays. `loggedIn` is
    // the user of this session ("" before login), who cannot be deleted.
    DeleteResult remove(const QString& name, const QString& password, const QString& loggedIn);

    enum class LoginMode { None, Manual, Automatic };
    enum class ModeResult { Applied, NoModeChosen, EmptyPassword, WrongPassword };
    ModeResult setLoginMode(LoginMode mode, const QString& name, const QString& password);

    // The auto-login rows for `name` whose stored password code is `pw`.
    void rememberForAutoLogin(const QString& name, const QString& pw);
    // Gives `name` recency 0 and the others 1, 2, ... in the order they were added.
    void moveToFront(const QString& name);

private:
    // Creates "user/<name>/" and a fresh database in it. An old database
    // there is kept under a dated name (`keptAs`). On failure everything made
    // here is removed again.
    bool makeUserFiles(const QString& name, QString* error, QString* keptAs);

    Database& m_db;
    QString m_appPath;
};

} // namespace tesmara
