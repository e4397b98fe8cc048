#include "app/ui/StartupPrefetch.h"

#include "controls/ui/Picture.h"
#include "controls/ui/ProgramFonts.h"
#include "controls/ui/Skin.h"

#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QThread>

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

namespace tesmara {

StartupPrefetch::StartupPrefetch(const QStringList& pictures)
{
    // Qt takes the first thread that asks for its thread data for the main
    // one; the worker must not be taken for it.
    QThread::currentThread();
    // Where Qt keeps the database driver is read here: the application
    // object, made meanwhile, may read Qt's configuration again.
    const QByteArray driver =
        QFile::encodeName(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/sqldrivers/libqsqlite.so"));
    // The pictures are claimed here, before any window can ask for them.
    m_worker = std::thread([this, driver, decode = decodeAhead(pictures), ready = m_ready.get_future()]() mutable {
        // Until the application object exists, no Qt object is made here.
        // The first thing start-up does then is opening the program
        // database: its driver and SQLite are loaded and bound here
        // meanwhile, and Qt finds them in place. Nothing is lost when the
        // file is elsewhere: Qt looks for the driver as always.
        dlopen(driver.constData(), RTLD_LAZY);
        // Qt lists the fonts through fontconfig, and reading fontconfig's
        // configuration and caches is most of that; it needs no application.
        // The program's own face joins the configuration before Qt reads it.
        FcInit();
        addProgramFonts(programFontFiles(runningProgramFolder()));
        m_fontsAdded.set_value();
        if (!ready.get()) {
            return;
        }
        // The fonts before the pictures: every window needs them, and the
        // main thread meanwhile opens the program database, whose driver
        // library it loads under Qt's plugin lock, which reading pictures
        // takes as well. A picture the main thread wants before the worker
        // reaches it, it reads itself.
        QFontDatabase::families();
        skin::chooseFallbackFaces();
        decode();
    });
}

void StartupPrefetch::applicationReady()
{
    if (!m_readySent) {
        m_readySent = true;
        m_ready.set_value(true);
        m_fontsAddedFuture.wait();
    }
}

StartupPrefetch::~StartupPrefetch()
{
    if (!m_readySent) {
        m_ready.set_value(false);
    }
    m_worker.join();
    dropDecodedAhead();
}

} // namespace tesmara
