// Start-up to the login window shown, the login click to the user's data
// opened, and an automatic login at start, in a fresh program folder with one
// user; then the login click and the automatic login again with the main
// practice window registered, each up to that window's first paint. 30 runs
// each in this process, and the main-window figures also 10 runs each in a
// fresh process, as a user meets them (fonts and glyphs not loaded yet).
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_login
#include "app/AppState.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "app/ui/LoginHandOff.h"
#include "app/ui/WindowRegistry.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/Skin.h"
#include "practice/ui/Form_Test_Common.h"
#include "store/Database.h"
#include "users/UserAccounts.h"
#include "users/ui/LoginWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace tesmara;

namespace {

constexpr int kColdRuns = 10;

void print(const char* what, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.1f ms, worst %.1f ms (%lld runs)\n", what, ms.at(ms.size() / 2), ms.last(),
                qlonglong(ms.size()));
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

// The main window's first paint: "shown" means drawn, not only mapped.
struct PaintWatch : QObject {
    QPointer<QWidget> painted;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!painted && event->type() == QEvent::Paint && watched->isWidgetType()) {
            if (auto* main = qobject_cast<Form_Test_Common*>(static_cast<QWidget*>(watched)->window())) {
                painted = main;
            }
        }
        return false;
    }
};

// Runs events until the main window is painted; false when it never is.
bool waitForMainWindow(PaintWatch& watch)
{
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted) {
        if (guard.elapsed() > 10000) {
            return false;
        }
        QCoreApplication::processEvents();
    }
    return true;
}

// Its settings are stored, as when the user closes it.
void closeMainWindow(PaintWatch& watch)
{
    if (watch.painted) {
        watch.painted->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    watch.painted = nullptr;
}

// Start-up to the login window, then the login click timed to the main
// window's first paint; -1 when a step fails.
double clickToMainWindow(const QString& root, PaintWatch& watch)
{
    App().reset();
    {
        Startup startup({root, root}, services());
        startup.run();
    }
    QCoreApplication::processEvents();
    LoginWindow* login = loginWindow();
    if (!login) {
        std::fprintf(stderr, "login window not shown\n");
        return -1;
    }
    login->findChild<QLineEdit*>(QStringLiteral("PassWord"))->setText(QStringLiteral("pw"));
    QElapsedTimer timer;
    timer.start();
    login->findChild<Cmd*>(QStringLiteral("CMD_Login"))->click();
    if (!waitForMainWindow(watch)) {
        std::fprintf(stderr, "login did not show the main window\n");
        return -1;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    closeMainWindow(watch);
    return ms;
}

// Start-up with the remembered user, timed to the main window's first paint.
double autoLoginToMainWindow(const QString& root, PaintWatch& watch)
{
    App().reset();
    QElapsedTimer timer;
    timer.start();
    StartupOutcome outcome;
    {
        Startup startup({root, root}, services());
        outcome = startup.run();
    }
    if (outcome != StartupOutcome::AutoLogin || !waitForMainWindow(watch)) {
        std::fprintf(stderr, "auto-login did not show the main window\n");
        return -1;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    closeMainWindow(watch);
    return ms;
}

// A fresh process for each run, so that fonts, glyphs and styles are loaded
// as at a real start: this program again with "--cold click|auto <folder>".
QList<double> coldRuns(const QString& mode, const QString& root, int n)
{
    QList<double> ms;
    for (int i = 0; i < n; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--cold"), mode, root});
        bool ok = child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
        const double v = ok ? child.readAllStandardOutput().trimmed().toDouble(&ok) : 0;
        if (!ok) {
            std::fprintf(stderr, "a cold run (%s) failed\n", qPrintable(mode));
            return {};
        }
        ms << v;
    }
    return ms;
}

int coldRun(const QString& mode, const QString& root)
{
    Form_Test_Common::install();
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    const double ms =
        mode == QLatin1String("auto") ? autoLoginToMainWindow(root, watch) : clickToMainWindow(root, watch);
    qApp->removeEventFilter(&watch);
    App().reset();
    if (ms < 0) {
        return 1;
    }
    std::printf("%.3f\n", ms);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    skin::install();
    LoginWindow::install();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--cold")) {
        return coldRun(args[2], args[3]);
    }
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
    // The same click with the main practice window registered.
    Form_Test_Common::install();
    PaintWatch watch;
    app.installEventFilter(&watch);
    QList<double> toMain;
    for (int i = 0; i < 30; ++i) {
        const double ms = clickToMainWindow(root, watch);
        if (ms < 0) {
            return 1;
        }
        toMain << ms;
    }
    App().reset();
    const QList<double> coldToMain = coldRuns(QStringLiteral("click"), root, kColdRuns);
    if (coldToMain.isEmpty()) {
        return 1;
    }
    App().Conn_Main.open(root + QStringLiteral("d.at"), Database::Mode::ReadWrite);
    const auto openMain = windowRegistry().openMainWindow;
    windowRegistry().openMainWindow = nullptr;

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
    // And with the main practice window registered.
    windowRegistry().openMainWindow = openMain;
    QList<double> autoToMain;
    for (int i = 0; i < 30; ++i) {
        const double ms = autoLoginToMainWindow(root, watch);
        if (ms < 0) {
            return 1;
        }
        autoToMain << ms;
    }
    App().reset();
    const QList<double> coldAutoToMain = coldRuns(QStringLiteral("auto"), root, kColdRuns);
    if (coldAutoToMain.isEmpty()) {
        return 1;
    }
    app.removeEventFilter(&watch);
    print("start to login window shown", toWindow);
    print("login click to user data opened", toData);
    print("auto-login start to user data opened", autoLogin);
    print("login click to main window shown", toMain);
    print("  the same, each in a fresh process", coldToMain);
    print("auto-login start to main window shown", autoToMain);
    print("  the same, each in a fresh process", coldAutoToMain);
    // The connections close while the SQL driver is still there.
    App().reset();
    return 0;
}
