#include "controls/ui/ProgramFonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>

namespace tesmara {

namespace {

std::atomic<bool> faceAdded{false};

// The set fontconfig keeps a program's own faces in. Fontconfig makes it,
// empty, when asked to add a face from a name that is no file.
FcFontSet* applicationFaces()
{
    FcFontSet* set = FcConfigGetFonts(nullptr, FcSetApplication);
    if (set == nullptr) {
        FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>("/nonexistent/"));
        set = FcConfigGetFonts(nullptr, FcSetApplication);
    }
    return set;
}

// Adds a face as the description the build wrote beside it has it (the
// face's size in bytes, then what fontconfig reads from the face), which
// spares fontconfig reading every character of the face at each start.
// False when there is no description or it is not of this face.
bool addDescribedFace(const QString& file, const QByteArray& path)
{
    std::ifstream description(
        QFile::encodeName(file.left(file.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".fcdesc")).constData(),
        std::ios::binary);
    long long size = -1;
    if (!(description >> size) || size != QFileInfo(file).size()) {
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(description), std::istreambuf_iterator<char>()};
    FcPattern* face =
        FcNameParse(reinterpret_cast<const FcChar8*>(QByteArray::fromStdString(text).trimmed().constData()));
    FcFontSet* set = applicationFaces();
    // As when fontconfig reads the face itself: its path, then the
    // configuration's rules for faces being added.
    if (face == nullptr || set == nullptr ||
        !FcPatternAddString(face, FC_FILE, reinterpret_cast<const FcChar8*>(path.constData())) ||
        !FcConfigSubstitute(nullptr, face, FcMatchScan) || !FcFontSetAdd(set, face)) {
        if (face != nullptr) {
            FcPatternDestroy(face);
        }
        return false;
    }
    return true;
}

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
        const QByteArray path = QFile::encodeName(file);
        // A file fontconfig cannot read leaves the system face in use.
        if (addDescribedFace(file, path) ||
            FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(path.constData()))) {
            faceAdded = true;
        }
    }
}

bool programFaceAdded()
{
    return faceAdded;
}

} // namespace tesmara
