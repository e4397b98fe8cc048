#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tesmara {

class ArticleEditor;
class Database;

// One TXT file read as an article: its lines joined with nothing between
// them and TABs removed, or the reason it cannot be one.
struct ArticleFile {
    enum class Status { Ok, Missing, Unreadable, NotRegular, Empty, NotText, TooLong };
    Status status = Status::Ok;
    QString text;
};

// Reads a regular file (a pipe or a device is refused): UTF-16 with a
// byte-order mark, else UTF-8, else GB18030. Bytes that do not make text (NULs, control characters, undecodable
// sequences) mark the file as not text.
ArticleFile readArticleFile(const QString& path);

// The article name a file suggests: its file name without the ".txt".
QString articleNameFromFile(const QString& path);

// The message of a refused file (title and text); empty for a good one.
struct ImportRefusal {
    QString title;
    QString text;
};
ImportRefusal refusalFor(ArticleFile::Status status, const QString& path);

// Imports TXT files chosen in the file dialog as saved articles. One file, or
// several with the "No" answer, opens the editing window for each (through
// `showEditor`, which returns when the window closes); several files with the
// "Yes" answer are saved at once under their file names.
class ArticleImporter {
public:
    ArticleImporter(Database& db, ArticleEditor& editor, QString programFolder = {});

    // The folder the file dialog starts in: the last import's folder when it
    // still exists, else empty.
    QString startFolder();
    // The file dialog's title and filter.
    static QString dialogTitle();
    static QString dialogFilter();

    void importFiles(const QStringList& paths, const std::function<void()>& showEditor);

private:
    Database& m_db;
    ArticleEditor& m_editor;
    QString m_programFolder;
};

} // namespace tesmara
