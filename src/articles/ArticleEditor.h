#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace tesmara {

class Database;

// How the editor saves: a new article, a change of an existing one, or the
// merge of several articles into one.
enum class SaveMode { New, Change, Merge };

// The space clean-up chosen in the editor.
struct SpaceOptions {
    bool removeAll = false; // remove every half- and full-width space
    bool collapse = true;   // runs of spaces become one
    bool fullWidth = false; // spaces become full-width (else half-width)
};

// Longest article, in characters.
inline constexpr int kMaxArticleLength = 65000;
// Shortest user article, in characters (review articles may be shorter).
inline constexpr int kMinArticleLength = 50;
// The name part of the review article of mistyped characters.
QString reviewArticleName();

// The logic of the article editor: name and text, cleaning, checks and the
// `text_` row. The editing window shows these fields; the importer and the
// end of a run use it without a window.
class ArticleEditor : public QObject {
    Q_OBJECT
public:
    explicit ArticleEditor(Database& db, QObject* parent = nullptr);

    void setName(const QString& name) { m_name = name; }
    QString name() const { return m_name; }
    void setText(const QString& text) { m_text = text; }
    QString text() const { return m_text; }
    // "_u" for user articles, "_w" for the review article.
    void setSuffix(const QString& suffix) { m_suffix = suffix; }
    QString suffix() const { return m_suffix; }
    void setMode(SaveMode mode) { m_mode = mode; }
    SaveMode mode() const { return m_mode; }
    void setOptions(const SpaceOptions& options) { m_options = options; }
    SpaceOptions options() const { return m_options; }
    // The articles (names without suffix) that a merge replaces.
    void setMergeSources(const QStringList& names) { m_sources = names; }

    // Validates, cleans and saves by the mode. `index` 1 is the automatic
    // use without a window (messages then speak of skipping the import).
    // Returns true when the article was stored.
    bool CMD_Save_Click(int index = 0);
    // Whether an article of this full name (with suffix) is stored.
    bool hasArticle(const QString& fullName);
    // Asks whether to practise the article just saved; on Yes the window
    // that owns the practice starts it (practiceRequested).
    void offerPractice(const QString& fullName);
    // Whether `name` + `suffix` exists; tells the user when it does.
    bool Same_Name(const QString& name, bool multi);
    // Adds mistyped characters to the review article (created when missing)
    // without showing the editor.
    void saveReview(const QString& characters);

    // The prompt that names the save mode; any other text means a merge.
    static QString label1Caption(SaveMode mode);
    static SaveMode modeForCaption(const QString& caption);
    // "练习内容(当前字数n个)" above the text.
    static QString lengthCaption(const QString& text);
    static QString cleanSpaces(const QString& text, const SpaceOptions& options);

signals:
    // Select the name entry and give it the focus.
    void nameFocusRequested();
    // The saved-article menus of the main window need rebuilding.
    void articlesChanged();
    // The user wants to practise the article just saved (full name).
    void practiceRequested(const QString& fullName);
    // The saved-article manager should reload its list.
    void managerRefreshRequested();
    // Stored; the editing window closes.
    void saved(const QString& fullName);

private:
    void report(const QString& title, const QString& text);

    Database& m_db;
    QString m_name;
    QString m_text;
    QString m_suffix = QStringLiteral("_u");
    SaveMode m_mode = SaveMode::New;
    SpaceOptions m_options;
    QStringList m_sources;
};

} // namespace tesmara
