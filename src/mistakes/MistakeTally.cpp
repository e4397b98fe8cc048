#include "mistakes/MistakeTally.h"

#include "practice/KeyboardGeometry.h"

namespace tesmara {

namespace {

constexpr char32_t kPadBase = 0xE000;

// 1-based character of a line, or 0 past its end.
char16_t unitAt(const QString& text, int k)
{
    return k >= 1 && k <= text.size() ? text.at(k - 1).unicode() : 0;
}

} // namespace

void MistakeTally::add(char32_t expected, char32_t typed, int delta)
{
    Counts& c = m_counts[expected];
    if (typed == expected) {
        c.right += delta;
    } else {
        c.wrong += delta;
        const quint64 key = pairKey(expected, typed);
        if ((m_pairs[key] += delta) <= 0) {
            m_pairs.remove(key);
        }
    }
    if (c.right <= 0 && c.wrong <= 0) {
        m_counts.remove(expected);
    }
}

void MistakeTally::addAt(const QString& reference, const QString& input, int k, int delta)
{
    const char16_t ref = unitAt(reference, k);
    if (ref == 0) {
        return;
    }
    if (QChar::isHighSurrogate(ref) && QChar::isLowSurrogate(unitAt(reference, k + 1))) {
        return; // counted with the second half
    }
    const char16_t in = unitAt(input, k);
    if (QChar::isLowSurrogate(ref) && QChar::isHighSurrogate(unitAt(reference, k - 1))) {
        const char16_t inHigh = unitAt(input, k - 1);
        const char32_t typed =
            QChar::isHighSurrogate(inHigh) && QChar::isLowSurrogate(in) ? QChar::surrogateToUcs4(inHigh, in) : in;
        add(QChar::surrogateToUcs4(unitAt(reference, k - 1), ref), typed, delta);
        return;
    }
    add(ref, in, delta);
}

void MistakeTally::clear()
{
    m_counts.clear();
    m_pairs.clear();
}

qint64 MistakeTally::rightTotal() const
{
    qint64 n = 0;
    for (const Counts& c : m_counts) {
        n += c.right;
    }
    return n;
}

qint64 MistakeTally::wrongTotal() const
{
    qint64 n = 0;
    for (const Counts& c : m_counts) {
        n += c.wrong;
    }
    return n;
}

char32_t padKey(QChar label)
{
    return kPadBase + label.unicode();
}

bool isPadKey(char32_t key)
{
    return key > kPadBase && key < kPadBase + 0x80;
}

QChar padLabel(char32_t key)
{
    return isPadKey(key) ? QChar(char16_t(key - kPadBase)) : QChar();
}

QString keyCaption(char32_t key)
{
    if (isPadKey(key)) {
        return QStringLiteral("小键盘 ") + keyboard::padSign(padLabel(key));
    }
    switch (key) {
    case U' ':
        return QStringLiteral("空格");
    case 0x3000:
        return QStringLiteral("全角空格");
    case U'\r':
    case U'\n':
        return QStringLiteral("回车");
    case U'\t':
        return QStringLiteral("Tab");
    case U'\b':
        return QStringLiteral("退格");
    case 0x1B:
        return QStringLiteral("Esc");
    case 0:
        return QStringLiteral("（无）");
    default:
        return key < 0x20 || key == 0x7F ? QStringLiteral("U+%1").arg(quint32(key), 4, 16, QLatin1Char('0')).toUpper()
                                         : QString::fromUcs4(&key, 1);
    }
}

} // namespace tesmara
