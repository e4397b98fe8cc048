#pragma once

#include "app/Startup.h"

namespace tesmara {

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
