#pragma once

#include <QString>

#include <optional>

namespace tesmara {

// Which window a user's session opens first (`Last_Test_Mode`).
enum class FirstWindow { Practice, Game };

// The data steps of logging in App().User_Name: makes "user/<name>/" and the
// user's database when missing (telling the user that defaults are used),
// opens Conn_User and the read-only phrase database, and repairs
// `Last_Test_Mode`. When the user's files cannot be made or opened, an error
// is shown, the session is left closed (User_Name "") and nullopt returned.
std::optional<FirstWindow> Login_Data();

enum class LoginResult { LoggedIn, NoUsers, WrongPassword, DataFailed };

// The login button: checks the password of `name`, opens the user's data,
// moves the user to the front of the list and stores or clears the
// automatic login. Nothing is written when the password is wrong or the
// data cannot be opened.
LoginResult logIn(const QString& name, const QString& password, bool rememberLogin, FirstWindow* first = nullptr);

} // namespace tesmara
