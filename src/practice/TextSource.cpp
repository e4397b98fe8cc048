#include "practice/TextSource.h"

#include "app/Clock.h"
#include "app/Format.h"
#include "app/Msg.h"
#include "app/Resources.h"
#include "controls/TextLine.h"
#include "store/Database.h"
#include "store/RecordCode.h"

#include <QSqlQuery>

namespace tesmara {

namespace {

constexpr int kWideCells = 30;
constexpr int kNarrowCells = 60;
const QChar kWordGap(0x3000);

} // namespace

TextSource::TextSource(Database& db, RandomSource* random, StringLoader loader)
    : m_db(db), m_random(random ? random : &defaultRandom()), m_loader(std::move(loader))
{
    if (!m_loader) {
        m_loader = [](int id) { return stringResource(id); };
    }
    setLineWidth(0, 15 + kNarrowCells * TextLine::halfAdvance(0));
}

qint32 TextSource::readPosition(bool addMissing)
{
    if (m_kind == PracticeKind::Article) {
        const auto no = m_db.scalar(QStringLiteral("select No_ from text_ where N = ?"), {m_key});
        return no ? no->toInt() : 1;
    }
    const auto no = m_db.scalar(QStringLiteral("select No_ from test_no where N = ?"), {m_key});
    if (no) {
        return no->toInt();
    }
    if (addMissing) {
        m_db.exec(QStringLiteral("insert into test_no (N, No_) values (?, 1)"), {m_key});
    }
    return 1;
}

void TextSource::chooseBuiltIn(PracticeKind kind, int n, int resource, const QString& keyPrefix)
{
    m_kind = kind;
    m_item = n;
    m_itemLength = 1;
    Test_Text = m_loader(resource);
    m_key = keyPrefix + Pad2(qint16(n));
    m_storedPos = readPosition(true);
    Test_Pos = m_storedPos;
}

void TextSource::chooseChinese(int n)
{
    chooseBuiltIn(PracticeKind::Chinese, n, n, QStringLiteral("00"));
}

void TextSource::chooseEnglish(int n)
{
    if (n == 10) {
        m_kind = PracticeKind::English;
        m_item = 10;
        m_itemLength = 1;
        Test_Text.clear();
        m_key.clear();
        m_storedPos = Test_Pos = 1;
        return;
    }
    chooseBuiltIn(PracticeKind::English, n, 100 + n, QStringLiteral("01"));
}

void TextSource::chooseNumbers(int item)
{
    m_kind = PracticeKind::Numbers;
    m_item = item;
    m_itemLength = 1;
    // A non-empty text selects the alphabet with operators.
    Test_Text = item == 0 ? QString() : QStringLiteral(".");
    m_key.clear();
    m_storedPos = Test_Pos = 1;
}

bool TextSource::chooseArticle(const QString& fullName)
{
    QSqlQuery q = m_db.exec(QStringLiteral("select T, C, No_ from text_ where N = ?"), {fullName});
    if (!q.next()) {
        Data_Error();
        return false;
    }
    const QString text = q.value(0).toString();
    // An empty text cannot fill a line; the editor never stores one.
    if (text.isEmpty() || q.value(1).toString() != Code_Of(text)) {
        Data_Error();
        return false;
    }
    m_kind = PracticeKind::Article;
    m_item = -1;
    m_itemLength = 1;
    Test_Text = text;
    m_key = fullName;
    m_storedPos = Test_Pos = q.value(2).toInt();
    return true;
}

void TextSource::chooseDrill(const QString& list, int itemLength, bool roots)
{
    m_kind = PracticeKind::Wubi;
    m_item = -1;
    m_itemLength = qBound(1, itemLength, 4);
    m_rootPairs = roots && m_itemLength == 1;
    Test_Text = list;
    m_key.clear();
    m_storedPos = Test_Pos = 1;
}

int TextSource::textType() const
{
    switch (m_kind) {
    case PracticeKind::Chinese:
    case PracticeKind::Wubi:
        return 0;
    case PracticeKind::English:
        return randomLetters() && m_englishWide ? 0 : 1;
    case PracticeKind::Numbers:
        return m_numberWide ? 0 : 1;
    case PracticeKind::Article:
        return 2;
    default:
        return 0;
    }
}

void TextSource::rewindToStoredPosition()
{
    Test_Pos = m_storedPos;
    if (Test_Pos < 1 || Test_Pos > Test_Text.size()) {
        Test_Pos = 1;
    }
}

// `count` characters from Test_Pos, going on from the start of the text at
// its end; the position is not moved.
QString TextSource::takeWrapped(qint32 count)
{
    const qint32 len = qint32(Test_Text.size());
    QString line;
    if (len == 0) {
        return line;
    }
    qint32 at = (Test_Pos >= 1 && Test_Pos <= len) ? Test_Pos - 1 : 0;
    line.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        line.append(Test_Text[at]);
        at = (at + 1) % len;
    }
    return line;
}

QString TextSource::nextLine()
{
    const qint32 len = qint32(Test_Text.size());
    auto advance = [&](qint32 by) {
        const qint32 from = (Test_Pos >= 1 && Test_Pos <= len) ? Test_Pos - 1 : 0;
        Test_Pos = len > 0 ? (from + by) % len + 1 : 1;
    };
    switch (m_kind) {
    case PracticeKind::Chinese: {
        const QString line = takeWrapped(kWideCells);
        advance(kWideCells);
        return line;
    }
    case PracticeKind::English: {
        if (randomLetters()) {
            return randomLine(QStringLiteral("abcdefghijklmnopqrstuvwxyz"), m_englishWide ? kWideCells : kNarrowCells);
        }
        QString line = takeWrapped(kNarrowCells);
        // Lines end after a word; a stretch without any space stays whole.
        const qsizetype space = line.lastIndexOf(QLatin1Char(' '));
        if (space >= 0) {
            line.truncate(space + 1);
        }
        advance(qint32(line.size()));
        return line;
    }
    case PracticeKind::Numbers:
        return randomLine(Test_Text.isEmpty() ? QStringLiteral("0123456789")
                                              : QStringLiteral("01234567890123456789.+-*/"),
                          m_numberWide ? kWideCells : kNarrowCells);
    case PracticeKind::Wubi:
        return drillLine();
    case PracticeKind::Article: {
        const QString line = nextArticleLine();
        advance(qint32(line.size()));
        return line;
    }
    default:
        return {};
    }
}

void TextSource::setLineWidth(int windowSize, int widthTwips)
{
    m_lineSize = windowSize;
    m_lineWidth = widthTwips;
}

QString TextSource::nextArticleLine()
{
    // As many characters as fit the row, and never more than its 60 cells.
    QString line = takeWrapped(kNarrowCells);
    line.truncate(TextLine::mixedFit(line, m_lineSize, m_lineWidth));
    return line;
}

QString TextSource::randomLine(const QString& alphabet, int count)
{
    QString line;
    line.reserve(count);
    for (int i = 0; i < count; ++i) {
        line.append(alphabet[qMin<qsizetype>(alphabet.size() - 1, qsizetype(m_random->unit() * alphabet.size()))]);
    }
    return line;
}

QString TextSource::drillLine()
{
    const qsizetype len = Test_Text.size();
    if (len == 0) {
        return {};
    }
    auto draw = [&](qsizetype bound) { return qMin<qsizetype>(bound - 1, qsizetype(m_random->unit() * bound)); };
    QString line;
    if (m_rootPairs) {
        // Root and key letter alternate: only the roots are drawn.
        for (int i = 0; i < kWideCells; ++i) {
            line.append(Test_Text[2 * draw(len / 2)]);
        }
        return line;
    }
    if (m_itemLength == 1) {
        for (int i = 0; i < kWideCells; ++i) {
            line.append(Test_Text[draw(len)]);
        }
        return line;
    }
    const qsizetype items = len / m_itemLength;
    if (items == 0) {
        return {};
    }
    for (int i = 0; i < kWideCells / (m_itemLength + 1); ++i) {
        if (i > 0) {
            line.append(kWordGap);
        }
        line.append(Test_Text.mid(draw(items) * m_itemLength, m_itemLength));
    }
    return line;
}

void TextSource::saveReadingPosition(qint64 typed)
{
    const bool english = englishArticle();
    if (m_key.isEmpty() || !(m_kind == PracticeKind::Chinese || english || m_kind == PracticeKind::Article)) {
        return;
    }
    const qint64 len = Test_Text.size();
    qint64 p = 1;
    if (m_kind == PracticeKind::Article) {
        QSqlQuery q = m_db.exec(QStringLiteral("select N, No_ from text_ where N = ?"), {m_key});
        if (!q.next()) {
            return; // the article went away meanwhile: nothing to move on
        }
        p = q.value(1).toLongLong();
    } else {
        p = readPosition(true);
    }
    qint64 pos = p + typed;
    if (pos >= len && len > 0) {
        pos = (pos - len) % len;
    }
    if (english || m_kind == PracticeKind::Article) {
        // Within the first 30 characters a position inside a word moves back
        // to the word's start (1 when no space comes before it); a position
        // that starts a word or stands on a space stays.
        const auto space = [&](qint64 at) { return Test_Text[at - 1] == QLatin1Char(' '); };
        if (pos < 1) {
            pos = 1;
        } else if (pos <= 30 && pos <= len && !space(pos) && pos > 1 && !space(pos - 1)) {
            while (pos > 1 && !space(pos - 1)) {
                --pos;
            }
        }
    }
    const QString table = m_kind == PracticeKind::Article ? QStringLiteral("text_") : QStringLiteral("test_no");
    m_db.exec(QStringLiteral("update %1 set No_ = ? where N = ?").arg(table), {pos, m_key});
    m_storedPos = qint32(pos);
}

SavedArticleMenus Load_Menus_SaveText(Database& db)
{
    SavedArticleMenus menus;
    QSqlQuery q = db.exec(QStringLiteral("select N from text_ order by ID"));
    while (q.next()) {
        const QString n = q.value(0).toString();
        if (n.endsWith(QLatin1String("_u"))) {
            menus.user << n.chopped(2);
        } else if (n.endsWith(QLatin1String("_w"))) {
            menus.review << n.chopped(2);
        }
    }
    return menus;
}

QString noSavedArticleCaption()
{
    return QStringLiteral("暂无保存此类文章");
}

QString practiceTitle(PracticeKind kind, const QString& caption)
{
    switch (kind) {
    case PracticeKind::Chinese:
        return QStringLiteral("Tesmara → 中文练习 → ") + caption;
    case PracticeKind::English:
        return QStringLiteral("Tesmara → 英文练习 → ") + caption;
    case PracticeKind::Numbers:
        return QStringLiteral("Tesmara → 数字练习 → ") + caption;
    case PracticeKind::Article:
        return QStringLiteral("Tesmara → 自定义文章 → ") + caption;
    default:
        return QStringLiteral("Tesmara → 五笔专区 → ") + caption;
    }
}

} // namespace tesmara
