#include "game/GameModes.h"

#include "app/Resources.h"
#include "practice/DrillTime.h"

namespace tesmara::game {

namespace {

const char16_t* const kWubiLists[8] = {u"一级简码", u"二级简码", u"三级简码", u"字根",
                                       u"成字字根", u"键名字",   u"识别码",   u"全码字"};
const char16_t* const kPhraseLists[3] = {u"二字词组", u"三字词组", u"四字词组"};
const char16_t* const kSpeedCaptions[kSpeeds] = {u"最快", u"较快", u"快    ", u"慢    ", u"较慢", u"最慢"};

constexpr int kWubiRoots = 3;

} // namespace

ItemKind itemKind(GameMode mode)
{
    switch (mode.group) {
    case ModeGroup::English:
        return mode.index == 1 ? ItemKind::Word : ItemKind::Char;
    case ModeGroup::WbText:
        return mode.index == kWubiRoots ? ItemKind::Root : ItemKind::Char;
    case ModeGroup::WbPhrase:
        return ItemKind::Phrase;
    case ModeGroup::Chinese:
    case ModeGroup::Number:
        break;
    }
    return ItemKind::Char;
}

int phraseLength(GameMode mode)
{
    return mode.group == ModeGroup::WbPhrase ? mode.index + 2 : 1;
}

QString modeCode(GameMode mode)
{
    switch (mode.group) {
    case ModeGroup::Chinese:
        return QStringLiteral("0");
    case ModeGroup::English:
        return QStringLiteral("1%1").arg(mode.index);
    case ModeGroup::Number:
        return QStringLiteral("2%1").arg(mode.index);
    case ModeGroup::WbText:
        return QStringLiteral("3%1").arg(mode.index);
    case ModeGroup::WbPhrase:
        return QStringLiteral("3%1").arg(mode.index + 8);
    }
    return QStringLiteral("0");
}

QString wubiListCaption(int n)
{
    return n >= 0 && n < 8 ? QString::fromUtf16(kWubiLists[n]) : QString();
}

QString phraseListCaption(int m)
{
    return m >= 0 && m < 3 ? QString::fromUtf16(kPhraseLists[m]) : QString();
}

QString modeCaption(GameMode mode)
{
    const QString game = QStringLiteral("游戏模式 → ");
    switch (mode.group) {
    case ModeGroup::Chinese:
        return game + QStringLiteral("中文练习");
    case ModeGroup::English:
        return game + (mode.index == 1 ? QStringLiteral("英文练习(单词)") : QStringLiteral("英文练习(字母)"));
    case ModeGroup::Number:
        return game + (mode.index == 1 ? QStringLiteral("数字练习(带四则运算符)") : QStringLiteral("数字练习"));
    case ModeGroup::WbText:
        return game + QStringLiteral("五笔专区 → ") + wubiListCaption(mode.index);
    case ModeGroup::WbPhrase:
        return game + QStringLiteral("五笔专区 → ") + phraseListCaption(mode.index);
    }
    return game;
}

QString modePool(GameMode mode)
{
    switch (mode.group) {
    case ModeGroup::Chinese:
        return stringResource(1010);
    case ModeGroup::English:
        return mode.index == 1 ? stringResource(1011) : QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    case ModeGroup::Number:
        return mode.index == 1 ? QStringLiteral("1234567890+-*/") : QStringLiteral("1234567890");
    case ModeGroup::WbText:
        return stringResource(300 + mode.index);
    case ModeGroup::WbPhrase:
        return stringResource(308 + mode.index);
    }
    return {};
}

StoredMode readStoredMode(const QString& stored)
{
    const QChar first = stored.isEmpty() ? QChar() : stored.front();
    if (first == QLatin1Char('1') || first == QLatin1Char('2')) {
        // The last character picks item 0 or 1 of the group.
        const ModeGroup group = first == QLatin1Char('1') ? ModeGroup::English : ModeGroup::Number;
        const QChar last = stored.back();
        if (last == QLatin1Char('0') || last == QLatin1Char('1')) {
            return {{group, last.digitValue()}, std::nullopt};
        }
        return {{group, 0}, QString(first) + QLatin1Char('0')};
    }
    if (first == QLatin1Char('3')) {
        // The rest is the list number: 0..7 code lists, 8..10 phrases.
        bool ok = false;
        const int n = stored.mid(1).toInt(&ok);
        if (!ok || n < 0 || n >= 11) {
            return {{ModeGroup::WbText, 0}, QStringLiteral("30")};
        }
        return {n >= 8 ? GameMode{ModeGroup::WbPhrase, n - 8} : GameMode{ModeGroup::WbText, n}, std::nullopt};
    }
    if (first == QLatin1Char('0')) {
        return {{ModeGroup::Chinese, 0}, std::nullopt};
    }
    // Any other start, the empty value included, is repaired to Chinese.
    return {{ModeGroup::Chinese, 0}, QStringLiteral("0")};
}

QString speedCaption(int k)
{
    return k >= 0 && k < kSpeeds ? QString::fromUtf16(kSpeedCaptions[k]) : QString();
}

int speedStep(int k, int distance)
{
    const int divisor = 13 * (k + 1);
    const int quotient = distance / divisor;
    const int twice = 2 * (distance % divisor);
    if (twice > divisor || (twice == divisor && quotient % 2 != 0)) {
        return quotient + 1;
    }
    return quotient;
}

QString gameTimeText(qint32 seconds)
{
    return elapsedText(QStringLiteral("游戏时间："), seconds);
}

QString countsText(qint32 hits, qint32 escapes)
{
    return QStringLiteral("打中 %1 个  跑掉 %2 个").arg(hits).arg(escapes);
}

} // namespace tesmara::game
