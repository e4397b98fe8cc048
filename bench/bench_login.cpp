// Start-up to the login window shown, and the login click to the user's data
// opened, and an automatic login at start, in a fresh program folder with one
// user. Medians of 30 runs. The first practice window is not part of these yet.
#include "app/AppState.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "app/ui/LoginHandOff.h"
#include "controls/ui/Cmd.h"
#include "users/UserAccounts.h"
#include "users/ui/LoginWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace tesmara;

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

StartupServices services()
{
    StartupServices s;
    s.startProgram = [](const QString&, const QStringList&, const QString&, bool) { return true; };
    s.processEvents = [] { QCoreApplication::processEvents(); };
    s.autoLogin = [] { loginHandOff().autoLogin(); };
    s.showLogin = [] { loginHandOff().showLoginWindow(); };
    return s;
}

LoginWindow* loginWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* login = qobject_cast<LoginWindow*>(w); login && login->isVisible()) {
            return login;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    LoginWindow::install();
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    {
        // First start creates d.at; then one user is added.
        MsgScript::pushAnswer("No");
        Startup first({root, root}, services());
        first.run();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->close();
        }
        MsgScript::pushAnswer("OK");
        UserAccounts(App().Conn_Main, root).add(QStringLiteral("测试"), QStringLiteral("pw"), QStringLiteral("pw"));
    }
    QList<double> toWindow;
    QList<double> toData;
    for (int i = 0; i < 30; ++i) {
        App().reset();
        QElapsedTimer timer;
        timer.start();
        {
            Startup startup({root, root}, services());
            startup.run();
        }
        QCoreApplication::processEvents();
        LoginWindow* login = loginWindow();
        if (!login) {
            std::fprintf(stderr, "login window not shown\n");
            return 1;
        }
        toWindow << timer.nsecsElapsed() / 1e6;
        login->findChild<QLineEdit*>(QStringLiteral("PassWord"))->setText(QStringLiteral("pw"));
        timer.restart();
        login->findChild<Cmd*>(QStringLiteral("CMD_Login"))->click();
        toData << timer.nsecsElapsed() / 1e6;
        if (!App().Conn_User.isOpen()) {
            std::fprintf(stderr, "login did not open the user's data\n");
            return 1;
        }
        QCoreApplication::processEvents();
    }
    // Remembered user: start-up logs straight in.
    {
        MsgScript::pushAnswer("OK");
        UserAccounts(App().Conn_Main, root)
            .setLoginMode(UserAccounts::LoginMode::Automatic, QStringLiteral("测试"), QStringLiteral("pw"));
    }
    QList<double> autoLogin;
    for (int i = 0; i < 30; ++i) {
        App().reset();
        QElapsedTimer timer;
        timer.start();
        StartupOutcome outcome;
        {
            Startup startup({root, root}, services());
            outcome = startup.run();
        }
        autoLogin << timer.nsecsElapsed() / 1e6;
        if (outcome != StartupOutcome::AutoLogin || !App().Conn_User.isOpen()) {
            std::fprintf(stderr, "auto-login did not open the user's data\n");
            return 1;
        }
    }
    std::printf("start to login window shown: median %.1f ms (30 runs)\n", median(toWindow));
    std::printf("login click to user data opened: median %.1f ms (30 runs)\n", median(toData));
    std::printf("auto-login start to user data opened: median %.1f ms (30 runs)\n", median(autoLogin));
    // The connections close while the SQL driver is still there.
    App().reset();
    return 0;
}
