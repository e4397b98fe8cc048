#pragma once

#include <QStringList>

#include <thread>

namespace tesmara {

// Start-up work that needs no window, done on the second core while the
// main thread builds the application and its first window: the font list
// and the window icon's and login banner's pictures. Whatever the main
// thread asks for first it waits for.
class StartupPrefetch {
public:
    // Starts the worker; the application object must exist.
    explicit StartupPrefetch(const QStringList& pictures);
    // Waits for the worker and drops the pictures nobody asked for.
    ~StartupPrefetch();

    StartupPrefetch(const StartupPrefetch&) = delete;
    StartupPrefetch& operator=(const StartupPrefetch&) = delete;

private:
    std::thread m_worker;
};

} // namespace tesmara
