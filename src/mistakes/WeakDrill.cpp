#include "mistakes/WeakDrill.h"

#include "app/Clock.h"
#include "mistakes/MistakeTally.h"
#include "practice/KeyboardGeometry.h"
#include "practice/PracticeKind.h"

#include <algorithm>
#include <cmath>

namespace tesmara {

namespace {

// What a recorded character or key is practised as in a line; null for
// keys no line holds (space bar, Enter, control keys).
QChar drillChar(char32_t ch)
{
    if (isPadKey(ch)) {
        const QString sign = keyboard::padSign(padLabel(ch));
        return sign.size() == 1 ? sign.at(0) : QChar();
    }
    if (ch > 0xFFFF || ch <= 0x20 || ch == 0x7F || ch == 0x3000) {
        return {};
    }
    return QChar(char16_t(ch));
}

struct Unit {
    QString text;
    double weight;
    int left = 0;
};

} // namespace

QString Drill_Name(int kind)
{
    const QString caption = Mistake_Tab_Caption(kind + 1);
    return kind == kAllKinds ? QStringLiteral("综合弱项") : caption.left(2) + QStringLiteral("弱项");
}

QString Drill_Text(const QList<CharFigures>& weakest, int kind, RandomSource& random)
{
    // The fingering practice records keys by their cap; they are practised
    // as typed without Shift.
    const bool keys = kind == int(PracticeKind::KeyMouse);
    QList<Unit> units;
    bool latin = true;
    for (const CharFigures& c : weakest) {
        if (units.size() == kDrillUnits) {
            break;
        }
        QString text;
        if (const QChar single = drillChar(c.ch); !single.isNull()) {
            text = keys ? single.toLower() : single;
        } else if (c.ch > 0xFFFF) {
            text = QString::fromUcs4(&c.ch, 1);
        } else {
            continue;
        }
        bool known = false;
        for (Unit& u : units) {
            known = known || u.text == text;
        }
        if (known) {
            continue;
        }
        latin = latin && text.size() == 1 && text.at(0).unicode() < 0x80;
        units << Unit{text, c.weakness};
    }
    if (units.isEmpty()) {
        return {};
    }
    double sum = 0;
    for (const Unit& u : units) {
        sum += u.weight;
    }
    int total = 0;
    for (Unit& u : units) {
        u.left = std::max(kDrillMinimum, int(std::lround(kDrillLength * u.weight / sum)));
        total += u.left;
    }
    QString text;
    int last = -1;
    for (int placed = 0; placed < total; ++placed) {
        // Drawn by the repetitions left, leaving out the one just placed
        // unless nothing else is left.
        int pool = 0;
        for (int i = 0; i < units.size(); ++i) {
            pool += i == last ? 0 : units[i].left;
        }
        const bool onlyLast = pool == 0;
        if (onlyLast) {
            pool = units[last].left;
        }
        int pick = int(random.bounded(quint32(pool)));
        int chosen = 0;
        for (int i = 0; i < units.size(); ++i) {
            const int share = (i == last && !onlyLast) || (onlyLast && i != last) ? 0 : units[i].left;
            if (pick < share) {
                chosen = i;
                break;
            }
            pick -= share;
        }
        if (latin && placed > 0 && placed % 5 == 0) {
            text += QLatin1Char(' ');
        }
        text += units[chosen].text;
        --units[chosen].left;
        last = chosen;
    }
    return text;
}

} // namespace tesmara
