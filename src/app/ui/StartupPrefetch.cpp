#include "app/ui/StartupPrefetch.h"

#include "controls/ui/Picture.h"

#include <QFontDatabase>

namespace tesmara {

StartupPrefetch::StartupPrefetch(const QStringList& pictures)
{
    // The pictures are claimed here, before any window can ask for them.
    m_worker = std::thread([decode = decodeAhead(pictures)] {
        // The font list first: the main thread meanwhile opens the program
        // database, whose driver library it loads under Qt's plugin lock,
        // which reading pictures takes as well.
        QFontDatabase::families();
        decode();
    });
}

StartupPrefetch::~StartupPrefetch()
{
    m_worker.join();
    dropDecodedAhead();
}

} // namespace tesmara
