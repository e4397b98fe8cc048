#include "practice/CodeTips.h"

#include "app/AppState.h"
#include "wubi/WubiDict.h"
#include "wubi/WubiKeys.h"

namespace tesmara {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kColon = QStringLiteral("：");

using wubi::KeyRoots;

// The key table row of a letter, or nullptr outside a to y.
const KeyRoots* keyRow(QChar key)
{
    const char16_t k = key.toLower().unicode();
    return k < 0x80 ? wubi::keyRoots(char(k)) : nullptr;
}

QString codesInLine(const QString& codes)
{
    return codes.split(kCrLf, Qt::SkipEmptyParts).join(QStringLiteral("  "));
}

// The last (full) code of a character.
QString fullCode(QChar c, const QByteArray& table)
{
    return Wb_Code(QString(c), table).split(kCrLf).last();
}

} // namespace

const QStringList& Tip_Captions()
{
    static const QStringList captions = {QStringLiteral("请选择编码提示"), QStringLiteral("显示86版五笔提示"),
                                         QStringLiteral("显示98版五笔提示"), QStringLiteral("拼音"),
                                         QStringLiteral("显示全部")};
    return captions;
}

TopLines Top_Lines(const TypingEngine& engine)
{
    TopLines tops;
    for (int r = 0; r < TypingEngine::kRows; ++r) {
        tops[r] = engine.top(r).Text();
    }
    return tops;
}

QString Tip_Candidate(const TopLines& tops, int typed, int line, int offset)
{
    if (line < 0 || line >= TypingEngine::kRows) {
        return {};
    }
    const int start = typed + offset - 1;
    if (start < 0) {
        return {};
    }
    QString candidate = tops[line].mid(start, 5);
    if (candidate.size() < 5) {
        candidate += tops[(line + 1) % TypingEngine::kRows].left(5 - candidate.size());
    }
    return candidate;
}

QChar Tip_Next_Char(const TopLines& tops, int typed, int line, int offset)
{
    const int start = typed + offset - 1;
    if (line < 0 || line >= TypingEngine::kRows || start < 0 || start >= tops[line].size()) {
        return {};
    }
    return tops[line][start];
}

PhraseMatch Seek_Phrase(Database& phrases, const TopLines& tops, int typed, int line, int offset)
{
    return Find_Phrase(phrases, Tip_Candidate(tops, typed, line, offset));
}

PhraseMatch Seek_Phrase(const TopLines& tops, int typed, int line, int offset)
{
    return Seek_Phrase(App().Conn_Phrase, tops, typed, line, offset);
}

QString Phrase_Code(const QString& phrase, const QByteArray& table)
{
    const int n = int(phrase.size());
    if (n == 0) {
        return {};
    }
    // Letters taken from each character, in the order they are typed.
    QList<std::pair<int, int>> parts; // character index, letters
    if (n >= 5) {
        parts = {{0, 1}, {1, 1}, {2, 1}, {n - 1, 1}};
    } else if (n == 3) {
        parts = {{0, 1}, {1, 1}, {2, 2}};
    } else {
        const int letters = int(4.0 / n + 0.5);
        for (int i = 0; i < n; ++i) {
            parts.append({i, letters});
        }
    }
    QString code;
    for (const auto& [index, letters] : parts) {
        code += fullCode(phrase[index], table).left(letters);
    }
    return code;
}

std::optional<QString> Tip_Text(int entry, bool running, const PhraseMatch& phrase, QChar next)
{
    if (!running) {
        return QString();
    }
    const AppState& app = App();
    if (!phrase.phrase.isEmpty()) {
        const QString head = phrase.phrase + kColon;
        switch (entry) {
        case Tip86:
            return head + Phrase_Code(phrase.phrase, app.Wb86_Codes);
        case Tip98:
            return head + Phrase_Code(phrase.phrase, app.Wb98_Codes);
        case TipPinyin:
            return head + phrase.py.toLower();
        case TipAll:
            return head + QStringLiteral("| 五笔 86:") + Phrase_Code(phrase.phrase, app.Wb86_Codes) +
                   QStringLiteral(" | 五笔 98:") + Phrase_Code(phrase.phrase, app.Wb98_Codes) +
                   QStringLiteral(" | 拼音:") + phrase.py.toLower();
        default:
            return head;
        }
    }
    if (next.isNull()) {
        return std::nullopt;
    }
    const QString c(next);
    const QString head = c + kColon;
    switch (entry) {
    case Tip86:
        return head + codesInLine(Get_Wb86(c));
    case Tip98:
        return head + codesInLine(Get_Wb98(c));
    case TipPinyin:
        return head + Get_Py(c).toLower();
    case TipAll:
        return head + QStringLiteral("| 五笔 86:") + codesInLine(Get_Wb86(c)) + QStringLiteral(" | 五笔 98:") +
               codesInLine(Get_Wb98(c)) + QStringLiteral(" | 拼音:") + Get_Py(c).toLower();
    default:
        return std::nullopt;
    }
}

std::optional<QString> Show_Tips(int entry, bool running, const TopLines& tops, int typed, int line, int offset)
{
    if (!running) {
        return QString();
    }
    return Tip_Text(entry, running, Seek_Phrase(tops, typed, line, offset), Tip_Next_Char(tops, typed, line, offset));
}

std::optional<QString> Show_Tips(int entry, bool running, const TypingEngine& engine, int line, int offset)
{
    if (line < 0 || line >= TypingEngine::kRows) {
        return std::nullopt;
    }
    return Show_Tips(entry, running, Top_Lines(engine), engine.input(line).CountLen(), line, offset);
}

KeyDrill Key_Drill_Of(int drillIndex)
{
    switch (drillIndex) {
    case 0:
        return KeyDrill::OneLevel;
    case 3:
        return KeyDrill::Root;
    case 5:
        return KeyDrill::KeyName;
    default:
        return KeyDrill::None;
    }
}

QString Drill_Key_Char(KeyDrill drill, QChar key, QChar expected)
{
    const KeyRoots* row = keyRow(key);
    if (!row) {
        return {};
    }
    switch (drill) {
    case KeyDrill::OneLevel:
        return QString(QChar(row->oneLevel));
    case KeyDrill::Root: {
        const QChar named(wubi::namedRoot(*row));
        if (!expected.isNull() && (expected == named || QString::fromUtf16(row->further).contains(expected))) {
            return QString(expected);
        }
        return QString(named);
    }
    case KeyDrill::KeyName:
        return row->keyName ? QString(QChar(row->keyName)) : QString();
    case KeyDrill::None:
        break;
    }
    return {};
}

TypingEngine::DrillLookup Drill_Lookup(const TypingEngine& engine, KeyDrill drill)
{
    if (drill == KeyDrill::None) {
        return {};
    }
    return [&engine, drill](QChar key) {
        // The key goes to the active row, or on past rows already full.
        QChar expected;
        int row = engine.activeRow();
        for (int step = 0; row >= 0 && step < TypingEngine::kRows; ++step) {
            const QString& top = engine.top(row).Text();
            const int typed = engine.input(row).CountLen();
            if (typed < top.size()) {
                expected = top[typed];
                break;
            }
            row = (row + 1) % TypingEngine::kRows;
        }
        return Drill_Key_Char(drill, key, expected);
    };
}

QString Hint_Title()
{
    return QStringLiteral("提示");
}

QString Code_Hint(QChar c, KeyDrill drill, const QString& practiceText, int itemLength)
{
    if (itemLength >= 2) {
        return {};
    }
    const QString ch(c);
    if (drill == KeyDrill::KeyName || drill == KeyDrill::Root) {
        QString answer;
        if (drill == KeyDrill::KeyName) {
            for (const KeyRoots& row : wubi::kKeyTable) {
                if (!c.isNull() && row.keyName == c.unicode()) {
                    answer = QChar(row.key).toUpper();
                    break;
                }
            }
        } else {
            const qsizetype at = c.isNull() ? -1 : practiceText.indexOf(c);
            answer = at < 0 ? QString() : practiceText.mid(at + 1, 1);
        }
        if (answer.isEmpty()) {
            return QStringLiteral("对不起，找不到 < ") + ch + QStringLiteral(" > 的相关五笔编码！");
        }
        return QStringLiteral("< ") + ch + QStringLiteral(" > 的五笔编码是： ") + answer;
    }
    const QString wb86 = Get_Wb86(ch);
    const QString wb98 = Get_Wb98(ch);
    if (wb86.isEmpty() && wb98.isEmpty()) {
        return QStringLiteral("对不起，找不到字符 < ") + ch + QStringLiteral(" > 的相关五笔编码！");
    }
    return QStringLiteral("< ") + ch + QStringLiteral(" > 字的五笔编码是：") + kCrLf + kCrLf +
           QStringLiteral("86 版编码：") + kCrLf + wb86 + kCrLf + kCrLf + QStringLiteral("98 版编码：") + kCrLf + wb98;
}

} // namespace tesmara
