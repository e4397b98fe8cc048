#include "articles/ArticleImport.h"

#include "app/FileRead.h"
#include "app/Msg.h"
#include "app/TextCodec.h"
#include "articles/ArticleEditor.h"
#include "store/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace tesmara {

namespace {

// Characters no text file holds: controls other than the line and page
// breaks and TAB, and the mark of an undecodable byte sequence.
bool foreign(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\t' || u == u'\r' || u == u'\n' || u == u'\f') {
        return false;
    }
    return u < 0x20 || u == 0x7F || u == 0xFFFD;
}

QString decode(const QByteArray& bytes, bool* ok)
{
    *ok = true;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString text = utf16.decode(QByteArrayView(bytes).sliced(2));
        *ok = !utf16.hasError();
        return text;
    }
    if (bytes.contains('\0')) {
        *ok = false;
        return {};
    }
    return decodeTextFile(bytes);
}

} // namespace

ArticleFile readArticleFile(const QString& path)
{
    ArticleFile result;
    // Anything far beyond the longest article in any encoding is refused
    // without reading it all.
    constexpr qint64 kMostBytes = qint64(kMaxArticleLength) * 4 + 4096;
    const FileBytes file = readRegularFile(path, kMostBytes);
    switch (file.status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::Missing:
        result.status = ArticleFile::Status::Missing;
        return result;
    case ReadStatus::NotRegular:
        // A folder is a choice that cannot be read, not a strange file.
        result.status = QFileInfo(path).isDir() ? ArticleFile::Status::Unreadable : ArticleFile::Status::NotRegular;
        return result;
    case ReadStatus::Unreadable:
        result.status = ArticleFile::Status::Unreadable;
        return result;
    case ReadStatus::TooBig:
        result.status = ArticleFile::Status::TooLong;
        return result;
    }
    const QByteArray& bytes = file.bytes;
    bool ok = true;
    const QString decoded = decode(bytes, &ok);
    qsizetype bad = 0;
    for (const QChar c : decoded) {
        bad += foreign(c) ? 1 : 0;
    }
    // A stray damaged byte is tolerated; more than that is not a text.
    if (!ok || bad > 2 + decoded.size() / 200) {
        result.status = ArticleFile::Status::NotText;
        return result;
    }
    QString text = splitLines(decoded).join(QString());
    text.remove(QLatin1Char('\t'));
    if (text.trimmed().isEmpty()) {
        result.status = ArticleFile::Status::Empty;
        return result;
    }
    if (text.size() > kMaxArticleLength) {
        result.status = ArticleFile::Status::TooLong;
        return result;
    }
    result.text = text;
    return result;
}

QString articleNameFromFile(const QString& path)
{
    const QString file = QFileInfo(path).fileName();
    if (file.size() > 4 && file.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        return file.chopped(4);
    }
    return file;
}

ImportRefusal refusalFor(ArticleFile::Status status, const QString& path)
{
    const QString error = QStringLiteral("错误");
    switch (status) {
    case ArticleFile::Status::Ok:
        return {};
    case ArticleFile::Status::Missing:
        return {error, QStringLiteral("您指定的文件 ") + path + QStringLiteral(" 不存在，请重新选择。")};
    case ArticleFile::Status::Unreadable:
        return {error, QStringLiteral("无法读取文件 ") + path + QStringLiteral(" ，请检查该文件是否可以打开。")};
    case ArticleFile::Status::NotRegular:
        return {error, QStringLiteral("文件 ") + path + QStringLiteral(" 不是普通文件，无法作为文章导入。")};
    case ArticleFile::Status::Empty:
        return {error, QStringLiteral("文件 ") + path + QStringLiteral(" 中没有任何文字，将跳过该文件。")};
    case ArticleFile::Status::NotText:
        return {error, QStringLiteral("文件 ") + path + QStringLiteral(" 不是文本文件，无法作为文章导入。")};
    case ArticleFile::Status::TooLong:
        return {QStringLiteral("长度限制"), QStringLiteral("文章内容不得超过 65000 个字符。")};
    }
    return {};
}

ArticleImporter::ArticleImporter(Database& db, ArticleEditor& editor, QString programFolder)
    : m_db(db), m_editor(editor), m_programFolder(std::move(programFolder))
{
}

QString ArticleImporter::dialogTitle()
{
    return QStringLiteral("打开 TXT 文件(可一次导入多个)");
}

QString ArticleImporter::dialogFilter()
{
    return QStringLiteral("TXT 文件 (*.txt *.TXT)");
}

QString ArticleImporter::startFolder()
{
    const QString folder = Settings(m_db, m_programFolder).text(QStringLiteral("Last_OpenTxt_Path"));
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void ArticleImporter::importFiles(const QStringList& paths, const std::function<void()>& showEditor)
{
    if (paths.isEmpty()) {
        return;
    }
    SpaceOptions options = m_editor.options();
    bool automatic = false;
    if (paths.size() > 1) {
        automatic = Show_Msg(QStringLiteral("    您选择了多个文件，选择“是”自动以文件名为名称添加到\r\n"
                                            "自定义文章列表中，选择“否”将为每个文件显示一次确认窗口。"),
                             2, 2, QStringLiteral("添加多个文件")) == QLatin1String("Yes");
        if (automatic) {
            options.removeAll = Show_Msg(QStringLiteral("您选择了自动添加模式，需要自动清空文章中所有空格吗?"), 2, 2,
                                         QStringLiteral("选择操作")) == QLatin1String("Yes");
            if (!options.removeAll) {
                options.fullWidth = Show_Msg(QStringLiteral("选择“是”，将所有全角空格替换成为半角空格；\r\n"
                                                            "选择“否”，将所有半角空格替换成为全角空格。"),
                                             2, 2, QStringLiteral("选择操作")) != QLatin1String("Yes");
            }
        }
    }
    Settings(m_db, m_programFolder)
        .setValue(QStringLiteral("Last_OpenTxt_Path"), QFileInfo(paths.first()).absolutePath());

    for (const QString& path : paths) {
        const ArticleFile file = readArticleFile(path);
        if (file.status != ArticleFile::Status::Ok) {
            const ImportRefusal refusal = refusalFor(file.status, path);
            Show_Msg(refusal.text, 0, 0, refusal.title);
            continue;
        }
        m_editor.setText(file.text);
        m_editor.setName(articleNameFromFile(path));
        m_editor.setSuffix(QStringLiteral("_u"));
        m_editor.setMode(SaveMode::New);
        m_editor.setOptions(options);
        if (automatic) {
            m_editor.CMD_Save_Click(1);
        } else if (showEditor) {
            showEditor();
        }
    }
}

} // namespace tesmara
