#pragma once

#include "store/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tesmara {

// One `testlog` row, every value as the text the store gives back.
struct TestRecord {
    QString id;
    QString type;
    QString s; // speed, characters per minute
    QString t; // run length, minutes
    QString c; // check field
    QString r; // accuracy as shown, e.g. "98.5 %"
};

// One kind's records in ID order.
QList<TestRecord> Read_Kind(Database& db, int type);

// Whether `c` matches the record's other fields.
bool Record_Sound(const TestRecord& record);

// The records of one kind after the check, with the largest speed for the
// chart scale.
struct SpeedLog {
    QList<TestRecord> records;
    qint64 maxSpeed = 0;
    int removed = 0; // bad records found and deleted on the way
};

// Reads a kind and checks every record in ID order. At the first bad one the
// user is told (one notice), that record is deleted and the kind is read
// again, so several bad records cost one notice each.
SpeedLog Load_Checked(Database& db, int type);

void Clear_All_Records(Database& db);
void Clear_Kind_Records(Database& db, int type);

// Paging: 50 records a page.
inline constexpr int kPageSize = 50;
int Page_Count(int recordCount);
// The page chooser's entries, "第 1 - 50 条记录" and so on; none when empty.
QStringList Page_Captions(int recordCount);
// Index of the first record of `page` and one past its last.
int Page_First(int page);
int Page_End(int page, int recordCount);

// The text a chart point opens into (lines joined by CR LF).
QString Point_Caption(const TestRecord& record);

// " 本类别共有 n 个记录 ".
QString Sum_Caption(int recordCount);

} // namespace tesmara
