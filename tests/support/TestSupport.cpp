#include "TestSupport.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tesmara::test {

ProgramFolder::ProgramFolder()
{
    App().reset();
    App().App_Path = path();
    App().Share_Path = stageDir();
    MsgScript::clear();
    MsgScript::setStrict(true);
    Database::setFatalHandler([](const QString& p, const QString& m) { throw DatabaseFailure{p, m}; });
}

ProgramFolder::~ProgramFolder()
{
    App().reset();
    MsgScript::clear();
}

QString ProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(bytes) == bytes.size();
}

QString stageDir()
{
    QString dir = qEnvironmentVariable("TESMARA_STAGE_DIR");
    if (!dir.endsWith(QLatin1Char('/'))) {
        dir.append(QLatin1Char('/'));
    }
    return dir;
}

} // namespace tesmara::test
