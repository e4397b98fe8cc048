#pragma once

#include <QString>
#include <QStringList>

namespace tesmara {

// The program's own face, "Tesmara Sans" (the Chinese sans serif cut down to
// the characters the program shows most), kept under "fonts/" beside the
// program or with the installed data. Its files, as found from
// `programFolder`; none when it is not there.
QStringList programFontFiles(const QString& programFolder);

// The folder of the running executable; known before any Qt object exists.
QString runningProgramFolder();

// Hands the files to fontconfig, so that the font list Qt reads afterwards
// holds the face. Without them the windows use the full system face.
void addProgramFonts(const QStringList& files);

// Whether the face was handed over: only then do the windows ask for it
// (a face that is missing costs a fontconfig search with every font).
bool programFaceAdded();

} // namespace tesmara
