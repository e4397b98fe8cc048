#pragma once

#include <QString>

namespace tesmara {

// An elapsed time after its caption: "45 秒" below a minute, "1 分 15 秒"
// below an hour, then "1 小时 2 分 5 秒".
QString elapsedText(const QString& caption, qint32 seconds);

// The elapsed-time text of the drills that count seconds themselves
// (fingering, mouse and split practice): "练习时间：45 秒" and so on.
QString Drill_Time_Text(qint32 seconds);

} // namespace tesmara
