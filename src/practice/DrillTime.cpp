#include "practice/DrillTime.h"

namespace tesmara {

QString elapsedText(const QString& caption, qint32 seconds)
{
    if (seconds < 60) {
        return caption + QStringLiteral("%1 秒").arg(seconds);
    }
    if (seconds < 3600) {
        return caption + QStringLiteral("%1 分 %2 秒").arg(seconds / 60).arg(seconds % 60);
    }
    return caption +
           QStringLiteral("%1 小时 %2 分 %3 秒").arg(seconds / 3600).arg(seconds % 3600 / 60).arg(seconds % 60);
}

QString Drill_Time_Text(qint32 seconds)
{
    return elapsedText(QStringLiteral("练习时间："), seconds);
}

} // namespace tesmara
