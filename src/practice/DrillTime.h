#pragma once

#include <QString>

namespace tesmara {

// The elapsed-time text of the drills that count seconds themselves
// (fingering, mouse and split practice): "练习时间：45 秒" below a minute,
// "练习时间：1 分 15 秒" below an hour, then "练习时间：1 小时 2 分 5 秒".
QString Drill_Time_Text(qint32 seconds);

} // namespace tesmara
