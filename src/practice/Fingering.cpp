#include "practice/Fingering.h"

#include "app/Clock.h"
#include "app/Format.h"

#include <cmath>

namespace tesmara {

namespace {

struct Entry {
    const char16_t* caption;
    const char16_t* keys;
    const char16_t* keysWithoutDigits;
};

// The first three sets are the same with or without digits.
const Entry kEntries[] = {
    {u" 练习所有字母和数字", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ 1234567890", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ 1234567890"},
    {u" 练习所有字母", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ ", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ "},
    {u" 练习所有数字", u"1234567890", u"1234567890"},
    {u" 左尾指：Q A Z 1", u"QAZ1", u"QAZ"},
    {u" 左无名指：W S X 2", u"WSX2", u"WSX"},
    {u" 左中指：E D C 3", u"EDC3", u"EDC"},
    {u" 左食指：R F V T G B 4 5", u"RFVTGB45", u"RFVTGB"},
    {u" 右食指：Y H N U J M 6 7", u"YHNUJM67", u"YHNUJM"},
    {u" 右中指：I K 8", u"IK8", u"IK"},
    {u" 右无名指：O L 9", u"OL9", u"OL"},
    {u" 右尾指：P 0", u"P0", u"P"},
};

// Keys grouped by the finger that strikes them; a key's position in the
// string picks its finger.
const char16_t* const kMainGroups = u"QAZ1WSX2EDC3RFVTGB45YHNUJM67IK8OL9P0 ";
const char16_t* const kPadGroups = u"741c852x963p-+e0";

using namespace keyboard;

// Where each finger's run of keys ends in the strings above.
struct Run {
    qsizetype end;
    int finger;
};
const Run kMainRuns[] = {{4, LeftLittle},  {8, LeftRing},     {12, LeftMiddle}, {20, LeftIndex},
                         {28, RightIndex}, {31, RightMiddle}, {34, RightRing},  {36, RightLittle}};
const Run kPadRuns[] = {{3, RightIndex}, {7, RightMiddle}, {12, RightRing}, {15, RightLittle}, {16, RightThumb}};

template <std::size_t N> int fingerAt(const Run (&runs)[N], qsizetype position)
{
    for (const Run& run : runs) {
        if (position < run.end) {
            return run.finger;
        }
    }
    return NoFinger;
}

} // namespace

QStringList Fingering::entryCaptions()
{
    QStringList captions;
    for (const Entry& e : kEntries) {
        captions << QString::fromUtf16(e.caption);
    }
    return captions;
}

QString Fingering::keySetFor(int entry, bool withoutDigits)
{
    if (entry < 0 || entry >= int(std::size(kEntries))) {
        return QString();
    }
    return QString::fromUtf16(withoutDigits ? kEntries[entry].keysWithoutDigits : kEntries[entry].keys);
}

QString Fingering::numberPadSet()
{
    return QStringLiteral("0123456789012345678901234567890123456789cx-+ep");
}

Fingering::Fingering(RandomSource* random) : m_random(random ? random : &defaultRandom()) {}

void Fingering::drawTarget()
{
    // A set of one key (the right little finger without digits) keeps it;
    // otherwise a new target always differs from the last.
    const qsizetype n = m_keySet.size();
    if (n == 0 || m_keySet.count(m_target) == n) {
        return;
    }
    QChar next = m_target;
    while (next == m_target) {
        next = m_keySet[qMin(n - 1, qsizetype(m_random->unit() * double(n)))];
    }
    m_target = next;
}

bool Fingering::press(int code)
{
    const QChar typed = QChar(char16_t(code)).toUpper();
    bool right = code == kRestartCode || (!m_target.isNull() && typed == m_target);
    if (!right && m_numberPad) {
        const char16_t t = m_target.unicode();
        right = (t == u'e' && code == 13) || (t == u'c' && code == '/') || (t == u'x' && code == '*') ||
                (t == u'p' && code == '.');
    }
    if (code != kRestartCode && !m_target.isNull()) {
        const char32_t target = m_numberPad ? padKey(m_target) : char32_t(m_target.unicode());
        m_tally.add(target, right ? target : keyOf(code));
    }
    if (!right) {
        ++m_wrong;
        return false;
    }
    drawTarget();
    m_lit.fill(false);
    if (code != kRestartCode) {
        ++m_right;
    }
    blink();
    return true;
}

char32_t Fingering::keyOf(int code) const
{
    const QChar typed = QChar(char16_t(code)).toUpper();
    if (!m_numberPad) {
        return typed.unicode();
    }
    switch (code) {
    case 13:
        return padKey(QLatin1Char('e'));
    case '/':
        return padKey(QLatin1Char('c'));
    case '*':
        return padKey(QLatin1Char('x'));
    case '.':
        return padKey(QLatin1Char('p'));
    default:
        return typed.isDigit() || typed == QLatin1Char('-') || typed == QLatin1Char('+') ? padKey(typed)
                                                                                         : typed.unicode();
    }
}

QList<int> Fingering::fingersFor(QChar key, bool numberPad)
{
    const QString groups = QString::fromUtf16(numberPad ? kPadGroups : kMainGroups);
    const qsizetype at = key.isNull() ? -1 : groups.indexOf(key);
    if (at < 0) {
        return {};
    }
    if (numberPad) {
        return {fingerAt(kPadRuns, at)};
    }
    if (key == QLatin1Char(' ')) {
        return {LeftThumb, RightThumb};
    }
    return {fingerAt(kMainRuns, at)};
}

QList<int> Fingering::targetFingers() const
{
    return fingersFor(m_target, m_numberPad);
}

bool Fingering::blink()
{
    const QList<int> fingers = targetFingers();
    if (fingers.isEmpty()) {
        return false;
    }
    const bool on = !m_lit[fingers[0]];
    for (int f : fingers) {
        m_lit[f] = on;
    }
    return true;
}

void Fingering::resetCounts()
{
    m_right = 0;
    m_wrong = 0;
    m_elapsed = 0;
    m_tally.clear();
}

QString Fingering::targetCaption() const
{
    if (m_numberPad) {
        return keyboard::padSign(m_target);
    }
    return m_target == QLatin1Char(' ') ? QStringLiteral("空格") : QString(m_target);
}

QString Fingering::countsText() const
{
    return QStringLiteral("打对了 %1 个   打错了 %2 个").arg(m_right).arg(m_wrong);
}

std::optional<QString> Fingering::speedText() const
{
    if ((m_right == 0 && m_wrong == 0) || m_elapsed <= 0) {
        return std::nullopt;
    }
    const double r = m_right;
    const double share = r / (r + m_wrong);
    // Right keys a minute weighted by the share of right keys, cut (not
    // rounded) to two decimals; the accuracy cut to a whole percent.
    const double speed = std::floor(share * r / (m_elapsed / 60.0) * 100) / 100;
    const qint64 accuracy = qint64(std::floor(share * 1000)) / 10;
    return QStringLiteral("速度：") + Shortest(speed) + QStringLiteral(" 字/分钟 正确率：") +
           QString::number(accuracy) + QStringLiteral("%");
}

QString Fingering::resetSpeedText()
{
    return QStringLiteral("速度：0 个/分钟  正确率：100%");
}

} // namespace tesmara
