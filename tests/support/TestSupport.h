#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tesmara::test {

// A fresh program folder for one test: App_Path points at it, messages must
// be answered through MsgScript, and database failures throw.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    QString path() const; // ends with "/"
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};

// Writes bytes to a file, creating folders on the way.
bool writeFile(const QString& path, const QByteArray& bytes);

// The build's stage folder (where the program and its data files are).
QString stageDir();

} // namespace tesmara::test
