#pragma once

#include "users/Login.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QUrl;

namespace tesmara {

class Check_Box;
class Cmd;

// The first window (Form_Login): lists the local users in recency order,
// checks the password, remembers a user for automatic login and opens the
// user's session. Opened while a user is logged in it is the About box.
class LoginWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoginWindow(QWidget* parent = nullptr);

    bool isAboutMode() const { return m_about; }

    // Refills the user list; with no users, offers to add one.
    void Load_User_List();
    // Opens App().User_Name's session (see openSession) and closes this window.
    void Login_();
    void Un_Load() { close(); }

    // The data steps of login and the first window of the session; false
    // when the user's data could not be opened (already told).
    static bool openSession();
    static void openFirstWindow(FirstWindow first);

    // Start-up's last step goes through these (installed by installUiServices).
    static void install();
    static void showLoginWindow();
    static void autoLogin();
    // The Help menu's About box, modal over `parent`.
    static void showAbout(QWidget* parent);

    // Opens the web page and mail links; tests replace it.
    static std::function<bool(const QUrl&)>& urlOpener();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void loginClicked();
    void openUserManagement(int page);
    void setLinkHot(QLabel* label, bool hot);

    bool m_about = false;
    QWidget* Frame1_0 = nullptr;
    QComboBox* UserName = nullptr;
    QLineEdit* PassWord = nullptr;
    Check_Box* Check_Box1 = nullptr;
    Cmd* CMD_Login = nullptr;
    Cmd* CMD_Add = nullptr;
    Cmd* CMD_Change = nullptr;
    Cmd* CMD_Del = nullptr;
    Cmd* CMD_LoginMode = nullptr;
    QLabel* Label_WWW = nullptr;
    QLabel* Label_Mail = nullptr;
    QLabel* Label_About = nullptr;
    QLabel* Image_Logo = nullptr;
    QLabel* Image1 = nullptr;
};

} // namespace tesmara
