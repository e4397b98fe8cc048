#include "practice/DrillTime.h"

namespace tesmara {

QString Drill_Time_Text(qint32 seconds)
{
    const qint32 t = seconds;
    if (t < 60) {
        return QStringLiteral("练习时间：%1 秒").arg(t);
    }
    if (t < 3600) {
        return QStringLiteral("练习时间：%1 分 %2 秒").arg(t / 60).arg(t % 60);
    }
    return QStringLiteral("练习时间：%1 小时 %2 分 %3 秒").arg(t / 3600).arg(t % 3600 / 60).arg(t % 60);
}

} // namespace tesmara
