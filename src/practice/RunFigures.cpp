#include "practice/RunFigures.h"

#include "app/Format.h"
#include "practice/PracticeKind.h"

#include <QStringList>

#include <cmath>

namespace tesmara {

LiveLabels startLabels(int minutes)
{
    LiveLabels l;
    l.Time_Use = QStringLiteral(" 0 分钟 0 秒");
    l.Time_Free = QString::number(minutes) + QStringLiteral(" 分钟 0 秒");
    l.Label_Right = QStringLiteral(" 0 字");
    l.Label_Wrong = QStringLiteral(" 0 字");
    l.Right_Percent = QStringLiteral(" 0.00 %");
    l.Label_Speed = QStringLiteral(" 0 字/分钟");
    l.Label_Speed2 = QStringLiteral(" 0 字/秒");
    l.Label_One = QStringLiteral("0.00 秒");
    return l;
}

QString minutesText(int seconds)
{
    return QString::number(seconds / 60) + QStringLiteral(" 分钟 ") + QString::number(seconds % 60) +
           QStringLiteral(" 秒");
}

double accuracyTenThousandths(qint32 right, qint32 wrong)
{
    const double r = right;
    return std::floor(r / (r + wrong) * 10000 + 0.5);
}

// The formulas are evaluated left to right in double precision, in the order
// they are written, so that boundary values round the same way every time.
LiveLabels liveLabels(int elapsed, int endTime, qint32 right, qint32 wrong)
{
    const double t = elapsed;
    const double r = right;
    LiveLabels l;
    l.Time_Use = minutesText(elapsed);
    if (right < 1) {
        l.Label_Speed = QStringLiteral("0 字/分钟");
        l.Label_Speed2 = QStringLiteral("0.00 字/秒");
    } else {
        const double a = accuracyTenThousandths(right, wrong);
        l.Label_Speed = Shortest(std::floor(a * r / 10000 / t * 60)) + QStringLiteral(" 字/分钟");
        l.Label_Speed2 = Shortest(std::floor(a * r / 10000 / t * 100 + 0.5) / 100) + QStringLiteral(" 字/秒");
    }
    if (right != 0) {
        l.Label_One = Shortest(std::floor(t / r * 100 + 0.5) / 100) + QStringLiteral(" 秒");
    } else {
        l.Label_One = QString::number(elapsed) + QStringLiteral(" 秒");
    }
    l.Time_Free = minutesText(endTime - elapsed);
    l.Label_Right = QString::number(right) + QStringLiteral(" 字");
    l.Label_Wrong = QString::number(wrong) + QStringLiteral(" 字");
    if (right < 1) {
        l.Right_Percent = QStringLiteral("0.00 %");
    } else {
        l.Right_Percent = Shortest(accuracyTenThousandths(right, wrong) / 100) + QStringLiteral(" %");
    }
    return l;
}

float nextSpeedPeak(float peak, int elapsed, qint32 right)
{
    if (elapsed <= 0) {
        return peak;
    }
    const double v = double(right) / elapsed * 60;
    if (v > peak) {
        return float(std::floor(double(right) / elapsed * 6000) / 100);
    }
    return peak;
}

QString resultTitle(bool englishArticle)
{
    return englishArticle ? QStringLiteral("练习结果(已复制到剪贴板)") : QStringLiteral("本次测试结果(已复制到剪贴板)");
}

bool isResultTitle(const QString& title)
{
    return title.startsWith(QStringLiteral("本次测试结果")) || title == resultTitle(true);
}

QString resultText(const LiveLabels& labels, const RunCounters& counters, float speedPeak, bool englishArticle)
{
    const QString typed = QString::number(qint64(counters.Right_Count) + counters.Wrong_Count);
    QStringList lines;
    lines << QStringLiteral("测试时间：") + labels.Time_Use;
    if (englishArticle) {
        lines << QStringLiteral("一共打了： ") + typed + QStringLiteral(" 个字符 /") +
                     QString::number(counters.Word_Count) + QStringLiteral(" 个单词");
        lines << QStringLiteral("打对了：") + labels.Label_Right + QStringLiteral("符");
        lines << QStringLiteral("打错了：") + labels.Label_Wrong + QStringLiteral("符");
    } else {
        lines << QStringLiteral("一共打了： ") + typed + QStringLiteral(" 个字");
        lines << QStringLiteral("打对了：") + labels.Label_Right;
        lines << QStringLiteral("打错了：") + labels.Label_Wrong;
    }
    lines << QStringLiteral("正确率：") + labels.Right_Percent;
    lines << QStringLiteral("速度为：") + labels.Label_Speed;
    lines << QStringLiteral("      ") + labels.Label_Speed2;
    if (!englishArticle) {
        lines << QString();
        lines << QStringLiteral("练习过程中的速度峰值：") + Shortest(speedPeak) + QStringLiteral(" 字/分钟");
    }
    return lines.join(QStringLiteral("\r\n"));
}

QString speedValue(const LiveLabels& labels)
{
    return labels.Label_Speed.left(qMax<qsizetype>(0, labels.Label_Speed.size() - 5));
}

QString reviewText(const QString& wrongText)
{
    static const QString dropped = QStringLiteral("'?!.\"-，。“”！？、()（）;；<>＜＞：:　 ");
    QString out;
    // By whole characters: both halves of a character outside the Basic
    // Multilingual Plane stay together, and one that shares its first half
    // with another is still its own.
    for (qsizetype i = 0; i < wrongText.size(); ++i) {
        QString c(wrongText.at(i));
        if (c.front().isHighSurrogate() && i + 1 < wrongText.size() && wrongText.at(i + 1).isLowSurrogate()) {
            c += wrongText.at(++i);
        }
        if (c.front().isSurrogate() && c.size() == 1) {
            continue; // half of a character
        }
        if (!dropped.contains(c) && !out.contains(c)) {
            out.append(c);
        }
    }
    return out;
}

int runMinutes(const QString& testTime)
{
    const QString t = testTime.trimmed();
    if (t.isEmpty() || t.size() > 4) {
        return 0;
    }
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return 0;
        }
    }
    const int minutes = t.toInt();
    return minutes >= 1 && minutes <= 60 ? minutes : 0;
}

bool testTimeAccepts(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QChar(8);
}

int recordTypeFor(PracticeKind kind, int codeDrill, int phraseDrill)
{
    switch (kind) {
    case PracticeKind::Chinese:
    case PracticeKind::English:
    case PracticeKind::Numbers:
        return static_cast<int>(kind);
    case PracticeKind::Wubi:
        if (codeDrill >= 0 && codeDrill <= 7) {
            return 30 + codeDrill;
        }
        if (phraseDrill >= 0 && phraseDrill <= 2) {
            return 38 + phraseDrill;
        }
        return -1;
    default:
        return -1;
    }
}

} // namespace tesmara
