#pragma once

#include "practice/PracticeKind.h"

#include <QString>

namespace tesmara {

class MistakeTally;

// The counters a run is scored from. The typing engine keeps them; the run
// reads a copy at every clock tick and when it stops.
struct RunCounters {
    qint32 Right_Count = 0;
    qint32 Wrong_Count = 0;
    qint32 Word_Count = 0;               // English: typed positions whose reference is a space
    QString Wrong_Text;                  // reference characters typed wrongly, in order
    const MistakeTally* tally = nullptr; // right and wrong per character, when kept
};

// The texts of the live labels, exactly as shown.
struct LiveLabels {
    QString Time_Use;
    QString Time_Free;
    QString Label_Right;
    QString Label_Wrong;
    QString Right_Percent;
    QString Label_Speed;
    QString Label_Speed2;
    QString Label_One;

    bool operator==(const LiveLabels&) const = default;
};

// The labels as a run begins, before its first tick.
LiveLabels startLabels(int minutes);

// "m 分钟 s 秒" for a number of seconds.
QString minutesText(int seconds);

// The labels at a tick: `elapsed` seconds run (at least 1) out of `endTime`.
LiveLabels liveLabels(int elapsed, int endTime, qint32 right, qint32 wrong);

// The peak speed after a tick: raised (truncated to 2 decimals) when the
// right characters per minute now exceed it.
float nextSpeedPeak(float peak, int elapsed, qint32 right);

// Accuracy in ten-thousandths, rounded half up; the speed is weighted by it.
double accuracyTenThousandths(qint32 right, qint32 wrong);

// The result text shown and copied when a run lasts its full time. English
// articles count characters and words and leave out the peak.
QString resultText(const LiveLabels& labels, const RunCounters& counters, float speedPeak, bool englishArticle);
QString resultTitle(bool englishArticle);
// Whether a message title is that of the result notice, which a user still
// typing must not dismiss by accident.
bool isResultTitle(const QString& title);

// The `s` value of a record: the speed label without its unit.
QString speedValue(const LiveLabels& labels);

// The review text of mistyped characters: punctuation and spaces dropped,
// each remaining character once, in order of first occurrence.
QString reviewText(const QString& wrongText);

// A run length as typed: the whole minutes when it is 1 to 60, else 0.
int runMinutes(const QString& testTime);

// Digits and Backspace only: whether a character may go into the run-length
// entry.
bool testTimeAccepts(QChar c);

// The record type of a run: the kind for text practice, 30 + the ticked code
// drill, else 38 + the ticked phrase drill for the Wubi zone (-1 = none
// ticked); -1 for kinds that keep no record.
int recordTypeFor(PracticeKind kind, int codeDrill = -1, int phraseDrill = -1);

} // namespace tesmara
