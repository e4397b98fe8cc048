#pragma once

#include "app/Startup.h"
#include "app/ui/StartupPrefetch.h"

#include <QApplication>

#include <memory>

namespace tesmara {

// The program's application object: names, icon, skin, the message dialog
// and the report of database errors are in place once it exists.
class Application : public QApplication {
    Q_OBJECT
public:
    // Takes over the start-up work begun before it (none when null).
    Application(int& argc, char** argv, std::unique_ptr<StartupPrefetch> prefetch = nullptr);
    ~Application() override;

    // Waits for the start-up work done on the second core and drops what
    // the first window did not want.
    void endPrefetch();

    // Delivers an event. A database engine error unwinds the handler that
    // met it up to here; the error was reported and the program is ending.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<StartupPrefetch> m_prefetch;
};

// The exit status after a database engine error.
inline constexpr int kDatabaseFailureStatus = 3;

// Starts the program: start-up sequence, then the event loop while a window
// is open. Returns the process exit status.
int runApplication(int argc, char* argv[]);

// Names the application and installs its icon and the Chinese translation
// of Qt's own dialogs. Called once the application object exists.
void configureApplication();

// The platform services start-up uses in the real program.
StartupServices programServices();

// Installs the program's own message dialog as the Show_Msg presenter and
// the database error report. Called once the application object exists.
void installUiServices();

} // namespace tesmara
