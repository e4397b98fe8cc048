#pragma once

#include <QStringList>

#include <future>
#include <thread>

namespace tesmara {

// Start-up work that needs no window, done on the second core while the
// main thread builds the application and its first window: the system's
// font configuration and the program's own face while the application
// object is being made, then the font list, the faces that stand in for
// characters the program's face lacks, and the login banner's picture.
// Whatever the main thread asks for first it waits for.
class StartupPrefetch {
public:
    // Starts the worker, before the application object exists.
    explicit StartupPrefetch(const QStringList& pictures);
    // The application object exists: the worker goes on to the font list
    // and the pictures. Returns once the font configuration is complete, so
    // that no font is looked up before.
    void applicationReady();
    // Waits for the worker and drops the pictures nobody asked for.
    ~StartupPrefetch();

    StartupPrefetch(const StartupPrefetch&) = delete;
    StartupPrefetch& operator=(const StartupPrefetch&) = delete;

private:
    std::promise<bool> m_ready;
    std::promise<void> m_fontsAdded;
    std::future<void> m_fontsAddedFuture = m_fontsAdded.get_future();
    bool m_readySent = false;
    std::thread m_worker;
};

} // namespace tesmara
