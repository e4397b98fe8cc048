#include "app/ui/Application.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "app/ui/LoginHandOff.h"
#include "app/ui/MsgDialog.h"
#include "app/ui/StartupPrefetch.h"
#include "articles/ui/Form_Input_Test_Text.h"
#include "controls/ui/Picture.h"
#include "controls/ui/ProgramFonts.h"
#include "controls/ui/Skin.h"
#include "game/ui/Form_Test_Game1.h"
#include "practice/ui/Form_Test_Common.h"
#include "store/Database.h"
#include "users/ui/LoginWindow.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

namespace tesmara {

namespace {

// The window icon's pictures, drawn at build time in every size a window
// needs.
QStringList windowIconFiles()
{
    QStringList files;
    for (const int size : {TESMARA_ICON_SIZES}) {
        files.append(QStringLiteral(":/data/icon/%1.png").arg(size));
    }
    return files;
}

// Gives the application its icon once the first window has been drawn: a
// window manager reads every size of a window's icon as it frames the
// window, so an icon given earlier would hold the first window back. Later
// windows carry it from the start.
class WindowIconAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            // After the window's picture has gone to the screen.
            QTimer::singleShot(0, qApp, [] {
                QIcon icon;
                for (const QString& file : windowIconFiles()) {
                    icon.addPixmap(QPixmap::fromImage(pngImage(file)));
                }
                QApplication::setWindowIcon(icon);
            });
            deleteLater();
        }
        return false;
    }
};

// Set once a database engine error was reported: the program is ending.
bool databaseFailed = false;

} // namespace

StartupServices programServices()
{
    StartupServices s;
    s.systemNotice = [](const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
        box.exec();
    };
    s.startProgram = [](const QString& program, const QStringList& args, const QString& workDir, bool hidden) {
        Q_UNUSED(hidden); // a detached process shows no window of ours either way
        return QProcess::startDetached(program, args, workDir);
    };
    s.processEvents = [] { QCoreApplication::processEvents(); };
    s.autoLogin = [] { loginHandOff().autoLogin(); };
    s.showLogin = [] { loginHandOff().showLoginWindow(); };
    return s;
}

void installUiServices()
{
    setMsgPresenter([](const MsgRequest& request) { return MsgDialog::ask(request); });
    LoginWindow::install();
    Form_Test_Common::install();
    game::Form_Test_Game1::install();
    installArticleEditorWindow();
    Database::setFatalHandler([](const QString& path, const QString& message) {
        if (databaseFailed) {
            return; // a later statement of the same handler failed too
        }
        databaseFailed = true;
        Show_Msg(QStringLiteral("数据文件读写出错，程序将退出。\r\n%1\r\n%2").arg(path, message), 0, 0,
                 QStringLiteral("数据文件错误"));
        // Open transactions roll back as the connections close; every event
        // loop, the dialogs' included, ends and the program returns from
        // main with the status.
        App().reset();
        QCoreApplication::exit(kDatabaseFailureStatus);
    });
}

void configureApplication()
{
    // No display name: the window system would append it to every caption.
    QApplication::setApplicationName(QStringLiteral("tesmara"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    qApp->installEventFilter(new WindowIconAfterFirstPaint(qApp));
    // The program speaks Chinese whatever the locale, Qt's own dialogs and
    // buttons included.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

Application::Application(int& argc, char** argv, std::unique_ptr<StartupPrefetch> prefetch)
    : QApplication(argc, argv), m_prefetch(std::move(prefetch))
{
    if (m_prefetch) {
        m_prefetch->applicationReady();
    } else {
        addProgramFonts(programFontFiles(runningProgramFolder()));
    }
    // The windows lay their menus out inside themselves; a desktop's global
    // menu bar would take them away, and asking the session bus for one
    // would hold up the first window.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    configureApplication();
    skin::install();
    installUiServices();
}

Application::~Application() = default;

void Application::endPrefetch()
{
    m_prefetch.reset();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DatabaseFailure&) {
        return false;
    }
}

int runApplication(int argc, char* argv[])
{
    // Started before the application object, which takes a good part of
    // start-up to make. The login window wants its banner before it shows.
    Application application(argc, argv,
                            std::make_unique<StartupPrefetch>(QStringList{QStringLiteral(":/data/pictures/logo.png")}));

    const ProgramFolders folders = resolveFolders(QCoreApplication::applicationDirPath(),
                                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    Startup startup(folders, programServices());
    StartupOutcome outcome = StartupOutcome::Fatal;
    try {
        outcome = startup.run();
    } catch (const DatabaseFailure&) {
        return kDatabaseFailureStatus;
    }
    application.endPrefetch();
    if (databaseFailed) {
        return kDatabaseFailureStatus;
    }
    switch (outcome) {
    case StartupOutcome::SecondInstance:
        return 0;
    case StartupOutcome::HandedOver:
        return 0;
    case StartupOutcome::Fatal:
        return 2;
    case StartupOutcome::AutoLogin:
    case StartupOutcome::LoginWindow:
        break;
    }
    if (QApplication::topLevelWidgets().isEmpty()) {
        return 0;
    }
    return application.exec();
}

} // namespace tesmara
