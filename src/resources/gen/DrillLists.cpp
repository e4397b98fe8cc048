#include "DrillLists.h"

#include "CodeTables.h"
#include "wubi/WubiKeys.h"

#include <algorithm>
#include <set>

namespace tesmara::gen {

namespace {

using wubi::KeyRoots;

// The root drill runs over the keys row by row, as on the keyboard.
constexpr char kDrillKeyOrder[] = "qwertyuiopasdfghjklxcvbnm";

// Side forms that learners confuse most get a second turn in the root drill.
const char16_t kRepeatedRoots[] = u"氵扌亻";

const QString kLevelOne = QStringLiteral("我人有的和主产不为这工要在地一上是中国经以发了民同");
const QString kRootCharacters =
    QStringLiteral("儿八用手斤竹文方广六辛门小米七丁西石古三厂士干二十雨寸一五戋卜上止早虫川甲四车力弓马巴刀"
                   "九也耳己乙心羽由贝几");
const QString kKeyNames = QStringLiteral("王土大木工目日口田山禾白月人金言立水火之已子女又");
const QString kFirstPhrases = QStringLiteral("专利词组练习语言");

constexpr int kLevelTwoCount = 588;
constexpr int kLevelThreeCount = 2472;
constexpr int kIdentifiedCount = 420;
constexpr int kFullCodeCount = 661;
constexpr int kTwoCharPhrases = 1668;
constexpr int kThreeCharPhrases = 348;
constexpr int kFourCharPhrases = 1223;
constexpr int kCommonCount = 2500;
constexpr int kEnglishCount = 680;

QString rootDrill()
{
    QString list;
    for (const char* key = kDrillKeyOrder; *key; ++key) {
        const KeyRoots& k = *wubi::keyRoots(*key);
        const QChar letter = QChar(k.key).toUpper();
        QString roots = QChar(wubi::namedRoot(k)) + QString::fromUtf16(k.further);
        for (const char16_t* r = kRepeatedRoots; *r; ++r) {
            if (roots.contains(QChar(*r))) {
                roots += QChar(*r);
            }
        }
        for (QChar root : roots) {
            list += root;
            list += letter;
        }
    }
    return list;
}

// Every character that is itself a root or a key name.
std::set<char16_t> rootSet()
{
    std::set<char16_t> roots;
    auto add = [&](const QString& text) {
        for (QChar c : text) {
            roots.insert(c.unicode());
        }
    };
    for (const KeyRoots& k : wubi::kKeyTable) {
        add(QString(QChar(wubi::namedRoot(k))));
        add(QString::fromUtf16(k.further));
    }
    add(kRootCharacters);
    add(kKeyNames);
    return roots;
}

// The simplified characters of the basic national set (GBK rows B0-F7,
// trail bytes A1-FE); the rest of GBK is traditional or rare.
bool isBasicSet(char16_t c)
{
    const int index = gbkIndex(c);
    if (index < 0) {
        return false;
    }
    const int lead = index / 254 + 129;
    const int trail = index % 254 + 64;
    return lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

// Basic-set characters with Wubi 86 codes, most frequent first; equal
// weights fall back to the GBK order so the result never depends on the
// platform.
std::vector<char16_t> byFrequency(const Sources& s)
{
    std::vector<char16_t> chars;
    for (const auto& entry : s.wubi86) {
        if (isBasicSet(entry.first)) {
            chars.push_back(entry.first);
        }
    }
    auto weight = [&](char16_t c) {
        const auto it = s.charWeight.find(c);
        return it == s.charWeight.end() ? qint64(0) : it->second;
    };
    std::stable_sort(chars.begin(), chars.end(), [&](char16_t a, char16_t b) {
        const qint64 wa = weight(a);
        const qint64 wb = weight(b);
        return wa != wb ? wa > wb : gbkIndex(a) < gbkIndex(b);
    });
    return chars;
}

template <typename Pred>
QString takeChars(const std::vector<char16_t>& ranked, int count, Pred pred, QStringList& warnings, const char* what)
{
    QString list;
    for (char16_t c : ranked) {
        if (list.size() >= count) {
            break;
        }
        if (pred(c)) {
            list += QChar(c);
        }
    }
    if (list.size() < count) {
        warnings.append(
            QStringLiteral("%1: only %2 of %3 characters").arg(QLatin1String(what)).arg(list.size()).arg(count));
    }
    return list;
}

bool hasPrefixCode(const QStringList& codes, const QString& full, int length)
{
    return full.size() > length && codes.contains(full.left(length));
}

} // namespace

std::map<int, QString> drillLists(const Sources& s, QStringList& warnings)
{
    std::map<int, QString> lists;
    const std::set<char16_t> roots = rootSet();
    std::set<char16_t> levelOne;
    for (QChar c : kLevelOne) {
        levelOne.insert(c.unicode());
    }
    const std::vector<char16_t> ranked = byFrequency(s);
    std::set<char16_t> common;
    for (QChar c : s.common) {
        common.insert(c.unicode());
    }
    auto entry = [&](char16_t c) -> const WubiEntry& { return s.wubi86.at(c); };

    lists[300] = kLevelOne;
    lists[301] = takeChars(
        ranked, kLevelTwoCount,
        [&](char16_t c) { return !levelOne.count(c) && hasPrefixCode(entry(c).short2, entry(c).full, 2); }, warnings,
        "301");
    lists[302] = takeChars(
        ranked, kLevelThreeCount,
        [&](char16_t c) { return !levelOne.count(c) && hasPrefixCode(entry(c).short3, entry(c).full, 3); }, warnings,
        "302");
    lists[303] = rootDrill();
    lists[304] = kRootCharacters;
    lists[305] = kKeyNames;
    // Two roots and the identification letter make the whole code, and no
    // shorter code spares the learner that letter.
    lists[306] = takeChars(
        ranked, kIdentifiedCount,
        [&](char16_t c) {
            const WubiEntry& e = entry(c);
            return e.full.size() == 3 && !roots.count(c) && !levelOne.count(c) && e.short1.isEmpty() &&
                   !hasPrefixCode(e.short2, e.full, 2);
        },
        warnings, "306");
    lists[307] = takeChars(
        ranked, kFullCodeCount,
        [&](char16_t c) {
            const WubiEntry& e = entry(c);
            return e.full.size() == 4 && !roots.count(c) && !levelOne.count(c) && e.short1.isEmpty() &&
                   e.short2.isEmpty() && e.short3.isEmpty();
        },
        warnings, "307");

    // Words of the input table made of common characters only, so the
    // drills stay in everyday use.
    auto usable = [&](const QString& phrase) {
        return std::all_of(phrase.begin(), phrase.end(), [&](QChar c) {
            return common.count(c.unicode()) && s.wubi86.count(c.unicode()) && gbkIndex(c.unicode()) >= 0;
        });
    };
    const int wanted[] = {kTwoCharPhrases, kThreeCharPhrases, kFourCharPhrases};
    for (int length = 2; length <= 4; ++length) {
        QString list;
        std::set<QString> seen;
        auto add = [&](const QString& phrase) {
            if (phrase.size() == length && usable(phrase) && seen.insert(phrase).second) {
                list += phrase;
            }
        };
        if (length == 2) {
            for (int i = 0; i < kFirstPhrases.size(); i += 2) {
                add(kFirstPhrases.mid(i, 2));
            }
        }
        const int count = wanted[length - 2];
        for (const PhraseEntry& p : s.tablePhrases) {
            if (int(seen.size()) >= count) {
                break;
            }
            add(p.phrase);
        }
        if (int(seen.size()) < count) {
            warnings.append(QStringLiteral("%1-character phrases: only %2").arg(length).arg(seen.size()));
        }
        lists[306 + length] = list;
    }

    lists[1010] = s.common.left(kCommonCount);
    QString words;
    for (const QString& word : s.englishWords.mid(0, kEnglishCount)) {
        words += QLatin1Char(' ') + word;
    }
    lists[1011] = words;
    return lists;
}

} // namespace tesmara::gen
