#include "records/TestLog.h"

#include "app/Format.h"
#include "app/Msg.h"
#include "records/RecordCheck.h"
#include "store/RecordCode.h"

#include <QHash>

#include <cmath>

namespace tesmara {

QList<TestRecord> Read_Kind(Database& db, int type)
{
    QSqlQuery q = db.exec(QStringLiteral("select ID,type,s,t,c,r from testlog where type = ? Order By ID;"),
                          {QString::number(type)});
    QList<TestRecord> records;
    while (q.next()) {
        records.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                        q.value(4).toString(), q.value(5).toString()});
    }
    return records;
}

bool Record_Sound(const TestRecord& record)
{
    return record.c == Record_Check(record.id, record.type, record.s, record.t, record.r);
}

namespace {

// Index of the first bad record, -1 when all are sound. Within one kind the
// type and most speeds repeat, so their codes are worked out once.
qsizetype firstBad(const QList<TestRecord>& records, qint64* maxSpeed)
{
    QHash<QString, QString> codes;
    auto code = [&codes](const QString& text) {
        auto it = codes.constFind(text);
        if (it == codes.constEnd()) {
            it = codes.insert(text, Code_Of(text));
        }
        return *it;
    };
    *maxSpeed = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const TestRecord& rec = records[i];
        const QString expected = Code_Of(Code_Of(rec.id) + code(rec.type) + code(rec.s) + rec.t + rec.r).left(20);
        if (rec.c != expected) {
            return i;
        }
        *maxSpeed = std::max(*maxSpeed, static_cast<qint64>(std::floor(Val(rec.s))));
    }
    return -1;
}

} // namespace

SpeedLog Load_Checked(Database& db, int type)
{
    SpeedLog log;
    for (;;) {
        log.records = Read_Kind(db, type);
        const qsizetype bad = firstBad(log.records, &log.maxSpeed);
        if (bad < 0) {
            return log;
        }
        Show_Msg(QStringLiteral("在您的练习记录中发现错误，有错误的记录将被删除。"), 1, 0, QStringLiteral("提示"));
        db.exec(QStringLiteral("delete from testlog where ID = ?;"), {log.records[bad].id});
        ++log.removed;
    }
}

void Clear_All_Records(Database& db)
{
    db.exec(QStringLiteral("delete from testlog ;"));
}

void Clear_Kind_Records(Database& db, int type)
{
    db.exec(QStringLiteral("delete from testlog where type = ?;"), {QString::number(type)});
}

int Page_Count(int recordCount)
{
    return recordCount <= 0 ? 0 : (recordCount + kPageSize - 1) / kPageSize;
}

QStringList Page_Captions(int recordCount)
{
    QStringList captions;
    const int pages = Page_Count(recordCount);
    for (int p = 0; p < pages; ++p) {
        captions.append(QStringLiteral("第 %1 - %2 条记录").arg(Page_First(p) + 1).arg(Page_End(p, recordCount)));
    }
    return captions;
}

int Page_First(int page)
{
    return page * kPageSize;
}

int Page_End(int page, int recordCount)
{
    return std::clamp((page + 1) * kPageSize, 0, std::max(recordCount, 0));
}

QString Point_Caption(const TestRecord& record)
{
    return QStringLiteral("速度:") + record.s + QStringLiteral(" 字/分钟\r\n时间：") + record.t +
           QStringLiteral(" 分钟\r\n正确率：") + record.r;
}

QString Sum_Caption(int recordCount)
{
    return QStringLiteral(" 本类别共有 %1 个记录 ").arg(recordCount);
}

} // namespace tesmara
