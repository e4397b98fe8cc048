#pragma once

#include "practice/PracticeKind.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tesmara {

class Database;
class RandomSource;

// The current practice text and its reading position: where the lines of a
// text practice come from, and where the next run resumes. One instance per
// main window; each practice item chooses its text here, the rows take their
// lines from nextLine(), and a stopping run saves the position.
class TextSource {
public:
    using StringLoader = std::function<QString(int id)>;

    // `loader` gives the built-in texts by resource id; `random` draws the
    // generated lines. Both default to the program's own.
    explicit TextSource(Database& db, RandomSource* random = nullptr, StringLoader loader = {});

    // Built-in Chinese essay n (0..11): resource n, position key "00nn".
    void chooseChinese(int n);
    // Built-in English text n (0..9): resource 100 + n, key "01nn"; n = 10 is
    // the random letters.
    void chooseEnglish(int n);
    // Numbers: item 0 digits only, item 1 with operators and the point.
    void chooseNumbers(int item);
    // A saved or review article by its full name (with "_u" or "_w"). A
    // missing row or a text that fails its check shows the damaged-data
    // notice, returns false and leaves the current practice as it was.
    bool chooseArticle(const QString& fullName);
    // A Wubi drill list; `itemLength` 1 draws single characters, 2..4 words.
    // `roots`: the list pairs each root with its key letter, and only the
    // roots are drawn.
    void chooseDrill(const QString& list, int itemLength, bool roots = false);

    // Row widths: 30 instead of 60 characters for random letters and numbers.
    void setEnglishWidth(bool wide) { m_englishWide = wide; }
    void setNumberWidth(bool wide) { m_numberWide = wide; }
    bool englishWidth() const { return m_englishWide; }
    bool numberWidth() const { return m_numberWide; }
    // The rows that article lines fill, laid out in mixed cells: their size
    // step and width in twips. The default is 60 half-width cells at the
    // smallest size.
    void setLineWidth(int windowSize, int widthTwips);

    // The layout kind of the rows (0 full-width, 1 half-width, 2 mixed).
    int textType() const;
    // Before the rows are filled afresh: reading goes back to the position
    // read at the choice (or the last one saved); outside 1..length it is 1.
    void rewindToStoredPosition();
    // The next line for a row; advances the position.
    QString nextLine();
    // A stopping run: moves the stored position on by the characters typed.
    // Nothing is stored for generated practice.
    void saveReadingPosition(qint64 typed);

    PracticeKind kind() const { return m_kind; }
    int item() const { return m_item; }
    bool randomLetters() const { return m_kind == PracticeKind::English && m_item == 10; }
    // English texts other than the random letters count words in results.
    bool englishArticle() const { return m_kind == PracticeKind::English && m_item != 10; }
    int drillItemLength() const { return m_itemLength; }
    // The `test_no` key, or the article's full name; empty for generated text.
    QString positionKey() const { return m_key; }

    QString Test_Text;
    qint32 Test_Pos = 1;

private:
    void chooseBuiltIn(PracticeKind kind, int n, int resource, const QString& keyPrefix);
    qint32 readPosition(bool addMissing);
    QString takeWrapped(qint32 count);
    QString nextArticleLine();
    QString randomLine(const QString& alphabet, int count);
    QString drillLine();

    Database& m_db;
    RandomSource* m_random;
    StringLoader m_loader;
    int m_lineSize = 0;
    int m_lineWidth = 0;
    PracticeKind m_kind = PracticeKind::Chinese;
    int m_item = -1;
    int m_itemLength = 1;
    QString m_key;
    qint32 m_storedPos = 1;
    bool m_englishWide = true;
    bool m_numberWide = true;
    bool m_rootPairs = false; // the root drill: the list pairs roots and key letters
};

// The two saved-article menus: names without their suffix, in saved order.
struct SavedArticleMenus {
    QStringList user;   // "_u"
    QStringList review; // "_w"
};
SavedArticleMenus Load_Menus_SaveText(Database& db);
// The caption of a menu that has no article.
QString noSavedArticleCaption();

// The practice title for a kind and the chosen item's caption.
QString practiceTitle(PracticeKind kind, const QString& caption);

} // namespace tesmara
