#include "controls/ui/ProgramFonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>

#include <atomic>

namespace tesmara {

namespace {

std::atomic<bool> faceAdded{false};

} // namespace

QStringList programFontFiles(const QString& programFolder)
{
    const QDir program(programFolder);
    for (const QString& folder :
         {program.filePath(QStringLiteral("fonts")), program.filePath(QStringLiteral("../share/tesmara/fonts"))}) {
        const QStringList names =
            QDir(folder).entryList({QStringLiteral("TesmaraSans-*.otf")}, QDir::Files, QDir::Name);
        if (!names.isEmpty()) {
            QStringList files;
            for (const QString& name : names) {
                files << QDir::cleanPath(folder + QLatin1Char('/') + name);
            }
            return files;
        }
    }
    return {};
}

QString runningProgramFolder()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

void addProgramFonts(const QStringList& files)
{
    for (const QString& file : files) {
        // A file fontconfig cannot read leaves the system face in use.
        if (FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(QFile::encodeName(file).constData()))) {
            faceAdded = true;
        }
    }
}

bool programFaceAdded()
{
    return faceAdded;
}

} // namespace tesmara
