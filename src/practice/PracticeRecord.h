#pragma once

#include <QString>

#include <functional>

namespace tesmara {

class Database;
class TextSource;

// A `testlog` row as written, every value as the store gives it back.
struct WrittenRecord {
    qint64 id = 0;
    QString type;
    QString s;
    QString t;
    QString r;
    QString c;
};

// Adds a practice record and its check field inside a transaction the
// caller holds: the row is added, read back, and `c` is computed from the
// stored values, so a record never exists without its check.
WrittenRecord Add_Record(Database& db, int type, const QString& s, const QString& t, const QString& r);

// What the end of a run stores, in one commit (one round of disk syncs, and
// never one without the other): the reading position of `source` moved on by
// `typed` characters, unless `type` is -1 the practice record, and whatever
// `alsoStore` writes (the run's mistake counts).
void Store_Run_End(Database& db, TextSource& source, qint64 typed, int type, const QString& s, const QString& t,
                   const QString& r, const std::function<void()>& alsoStore = {});

} // namespace tesmara
