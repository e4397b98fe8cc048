#include "app/ui/StartupPrefetch.h"

#include "controls/ui/Picture.h"

#include <QFontDatabase>
#include <QSqlDatabase>

namespace tesmara {

StartupPrefetch::StartupPrefetch(const QStringList& pictures)
{
    // The pictures are claimed here, before any window can ask for them.
    m_worker = std::thread([decode = decodeAhead(pictures)] {
        decode();
        // Reading the font list and loading the database driver's libraries
        // are both behind locks of Qt's, which the main thread takes too;
        // done here first, the main thread finds them ready.
        QFontDatabase::families();
        const QString name = QStringLiteral("tesmara-prefetch");
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        QSqlDatabase::removeDatabase(name);
    });
}

StartupPrefetch::~StartupPrefetch()
{
    m_worker.join();
    dropDecodedAhead();
}

} // namespace tesmara
