#include "mistakes/MistakeFigures.h"

#include "app/Format.h"
#include "mistakes/MistakeTally.h"

#include <algorithm>
#include <cmath>

namespace tesmara {

using keyboard::Board;

int Mistake_Tab_Kind(int tab)
{
    return tab <= 0 || tab >= kMistakeTabs ? kAllKinds : tab - 1;
}

QString Mistake_Tab_Caption(int tab)
{
    static const char16_t* const captions[kMistakeTabs] = {u"全部练习", u"中文练习", u"英文练习", u"数字练习",
                                                           u"五笔练习", u"指法练习", u"文章练习"};
    return tab >= 0 && tab < kMistakeTabs ? QString::fromUtf16(captions[tab]) : QString();
}

QString Period_Caption(MistakePeriod period)
{
    switch (period) {
    case MistakePeriod::Week:
        return QStringLiteral("最近 7 天");
    case MistakePeriod::Month:
        return QStringLiteral("最近 30 天");
    case MistakePeriod::All:
        return QStringLiteral("全部时间");
    }
    return {};
}

QDate Period_First_Day(MistakePeriod period, const QDate& today)
{
    switch (period) {
    case MistakePeriod::Week:
        return today.addDays(-6);
    case MistakePeriod::Month:
        return today.addDays(-29);
    case MistakePeriod::All:
        break;
    }
    return {};
}

QString Rate_Text(double share)
{
    return Shortest(std::floor(share * 1000 + 0.5) / 10) + QLatin1Char('%');
}

QList<CharFigures> Weakest(const QList<CharFigures>& chars)
{
    qint64 wrong = 0;
    qint64 total = 0;
    for (const CharFigures& c : chars) {
        wrong += c.wrong;
        total += c.total();
    }
    const double prior = total > 0 ? double(wrong) / double(total) * kPriorAttempts : 0.0;
    QList<std::pair<double, CharFigures>> ranked;
    for (const CharFigures& c : chars) {
        if (c.wrong > 0) {
            ranked.append({(double(c.wrong) + prior) / double(c.total() + kPriorAttempts), c});
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return a.first > b.first;
        }
        if (a.second.wrong != b.second.wrong) {
            return a.second.wrong > b.second.wrong;
        }
        return a.second.total() > b.second.total();
    });
    QList<CharFigures> weak;
    weak.reserve(ranked.size());
    for (const auto& r : std::as_const(ranked)) {
        weak << r.second;
        weak.back().weakness = r.first;
    }
    return weak;
}

QString Substitutes_Text(const QList<Substitute>& substitutes, int limit)
{
    QStringList parts;
    for (const Substitute& s : substitutes) {
        if (parts.size() == limit) {
            break;
        }
        parts << keyCaption(s.typed) + QStringLiteral(" ×") + QString::number(s.count);
    }
    return parts.join(QChar(0x3000));
}

namespace {

// Chinese punctuation and the key an input method types it with.
const std::pair<char16_t, char> kChinesePunctuation[] = {
    {u'，', ','}, {u'。', '.'}, {u'；', ';'}, {u'：', ';'},  {u'？', '/'}, {u'！', '1'}, {u'“', '\''},
    {u'”', '\''}, {u'‘', '\''}, {u'’', '\''}, {u'、', '\\'}, {u'（', '9'}, {u'）', '0'}, {u'《', ','},
    {u'》', '.'}, {u'【', '['}, {u'】', ']'}, {u'—', '-'},   {u'…', '6'},  {u'·', '`'},  {u'￥', '4'},
    {u'「', '['}, {u'」', ']'}, {u'～', '`'}, {u'　', ' '},
};

QHash<char32_t, int> mainKeyMap()
{
    QHash<char32_t, int> map;
    const QList<keyboard::Key>& keys = keyboard::keys(Board::Main);
    for (int i = 0; i < keys.size(); ++i) {
        const keyboard::Key& k = keys[i];
        if (k.label == QLatin1Char(' ')) {
            map.insert(U' ', i);
        }
        if (k.caption.size() == 1) {
            map.insert(k.caption.at(0).unicode(), i);
            map.insert(k.caption.at(0).toLower().unicode(), i);
        }
        if (k.shifted.size() == 1) {
            map.insert(k.shifted.at(0).unicode(), i);
        }
    }
    // Full-width letters, digits and signs sit on the keys of their ASCII
    // forms.
    for (char32_t c = 0xFF01; c <= 0xFF5E; ++c) {
        const auto ascii = map.constFind(c - 0xFEE0);
        if (ascii != map.constEnd()) {
            map.insert(c, *ascii);
        }
    }
    for (const auto& [mark, key] : kChinesePunctuation) {
        map.insert(mark, map.value(char32_t(key), -1));
    }
    return map;
}

} // namespace

int Key_Index_Of(char32_t ch, Board* board)
{
    if (isPadKey(ch)) {
        const QList<keyboard::Key>& keys = keyboard::keys(Board::NumberPad);
        for (int i = 0; i < keys.size(); ++i) {
            if (keys[i].label == padLabel(ch)) {
                *board = Board::NumberPad;
                return i;
            }
        }
        return -1;
    }
    static const QHash<char32_t, int> map = mainKeyMap();
    *board = Board::Main;
    return map.value(ch, -1);
}

KeyHeat Key_Heat(const QList<CharFigures>& chars)
{
    KeyHeat heat;
    // Substitutes of the characters on one key, summed by what was typed.
    QHash<int, QHash<char32_t, qint64>> mainSubs;
    QHash<int, QHash<char32_t, qint64>> padSubs;
    for (const CharFigures& c : chars) {
        Board board = Board::Main;
        const int index = Key_Index_Of(c.ch, &board);
        if (index < 0) {
            continue;
        }
        CharFigures& key = (board == Board::Main ? heat.main : heat.pad)[index];
        key.right += c.right;
        key.wrong += c.wrong;
        auto& subs = (board == Board::Main ? mainSubs : padSubs)[index];
        for (const Substitute& s : c.substitutes) {
            subs[s.typed] += s.count;
        }
    }
    for (auto* side : {&mainSubs, &padSubs}) {
        QHash<int, CharFigures>& keys = side == &mainSubs ? heat.main : heat.pad;
        for (auto it = side->cbegin(); it != side->cend(); ++it) {
            QList<Substitute>& list = keys[it.key()].substitutes;
            for (auto s = it->cbegin(); s != it->cend(); ++s) {
                list << Substitute{s.key(), s.value()};
            }
            std::sort(list.begin(), list.end(), [](const Substitute& a, const Substitute& b) {
                return a.count != b.count ? a.count > b.count : a.typed < b.typed;
            });
        }
    }
    return heat;
}

QString Key_Name(Board board, int index)
{
    const QList<keyboard::Key>& keys = keyboard::keys(board);
    if (index < 0 || index >= keys.size()) {
        return {};
    }
    const keyboard::Key& key = keys[index];
    if (key.label.isNull()) {
        return board == Board::NumberPad ? QStringLiteral("小键盘 ") + key.caption : key.caption;
    }
    return keyCaption(board == Board::NumberPad ? padKey(key.label) : char32_t(key.label.unicode()));
}

QString Key_Tip(Board board, int index, const CharFigures* figures)
{
    QString tip = Key_Name(board, index) + QStringLiteral(" 键");
    if (!figures || figures->total() == 0) {
        return tip + QStringLiteral("\n这段时间没有练习到");
    }
    tip += QStringLiteral("\n打对 %1 次，打错 %2 次\n错误率 %3")
               .arg(figures->right)
               .arg(figures->wrong)
               .arg(Rate_Text(figures->errorRate()));
    if (!figures->substitutes.isEmpty()) {
        tip += QStringLiteral("\n常打成：") + Substitutes_Text(figures->substitutes);
    }
    return tip;
}

QString Summary_Text(const MistakeFigures& figures)
{
    const qint64 typed = figures.right + figures.wrong;
    if (figures.runs == 0 && typed == 0) {
        return QStringLiteral("没有练习");
    }
    QString text =
        QStringLiteral("完成练习 %1 次　共打 %2 个字符　打错 %3 个").arg(figures.runs).arg(typed).arg(figures.wrong);
    if (typed > 0) {
        text += QStringLiteral("　正确率 ") + Rate_Text(double(figures.right) / double(typed));
    }
    return text;
}

} // namespace tesmara
