#include "store/FileAside.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace tesmara {

namespace {

QString journalOf(const QString& file)
{
    return file + QStringLiteral("-journal");
}

} // namespace

bool moveAside(const QString& file, QString* keptAs)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = file + QLatin1Char('.') + stamp;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo::exists(journalOf(aside)); ++n) {
        aside = file + QLatin1Char('.') + stamp + QLatin1Char('-') + QString::number(n);
    }
    const bool hasJournal = QFileInfo::exists(journalOf(file));
    if (hasJournal && !QFile::rename(journalOf(file), journalOf(aside))) {
        return false;
    }
    if (!QFile::rename(file, aside)) {
        if (hasJournal) {
            QFile::rename(journalOf(aside), journalOf(file));
        }
        return false;
    }
    if (keptAs) {
        *keptAs = aside;
    }
    return true;
}

bool removeWithJournal(const QString& file)
{
    // The file first: a journal without its file is harmless, a file
    // without its hot journal may be half a transaction.
    if (QFileInfo::exists(file) && !QFile::remove(file)) {
        return false;
    }
    QFile::remove(journalOf(file));
    return !QFileInfo::exists(file) && !QFileInfo::exists(journalOf(file));
}

} // namespace tesmara
