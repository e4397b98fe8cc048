#include "app/Format.h"

#include <cmath>

namespace tesmara {

QString Pad2(qint16 n)
{
    QString text = QString::number(n);
    if (text.size() == 1) {
        text.prepend(QLatin1Char('0'));
    }
    return text;
}

double Val(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) {
        ++i;
    }
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        ++i;
    }
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
        }
    }
    bool ok = false;
    const double v = QStringView(text).mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

QString Shortest(double value)
{
    if (value == 0 || !std::isfinite(value)) {
        return QStringLiteral("0");
    }
    // Single precision figures, as the counters are kept: at most 7
    // significant digits, trailing zeros dropped.
    QString text = QString::number(value, 'g', 7);
    if (text.contains(QLatin1Char('e'))) {
        text = QString::number(value, 'f', 7);
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(QLatin1Char('.'))) {
            text.chop(1);
        }
    }
    return text;
}

} // namespace tesmara
