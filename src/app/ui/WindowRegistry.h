#pragma once

#include <functional>

class QWidget;

namespace tesmara {

// The first windows of a session. Login opens one of them once the user's
// data are open; the windows fill these in when the program starts (see
// installUiServices). Each function creates the window for App().User_Name,
// shows it as an ordinary window and returns it. An empty game entry falls
// back to the main window; with both empty, login opens no window.
struct WindowRegistry {
    std::function<QWidget*()> openMainWindow;
    std::function<QWidget*()> openGameWindow;
};

WindowRegistry& windowRegistry();

} // namespace tesmara
