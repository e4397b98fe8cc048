#pragma once

#include "mistakes/MistakeFigures.h"

#include <QDate>
#include <QString>

#include <functional>

class QSqlQuery;

namespace tesmara {

class Database;
class MistakeTally;

// The mistake statistics of the logged-in user: "mistakes.db" beside the
// user's "d.at", counts per practice kind, day and expected character, and
// the characters typed instead. The file is attached to the user's
// connection, so a run's counts are committed in the same transaction as
// its record and reading position: a kill leaves both or neither. The
// user's own database keeps exactly its tables.
//
// Nothing here ends the program: a statistics file that fails is reported
// once, moved aside and made anew (damaged) or left alone (written by a
// newer version), and the practice goes on without it.
class MistakeStore {
public:
    // The layout of the file (pragma user_version); a larger number is a
    // newer program's file.
    static constexpr int kVersion = 1;

    explicit MistakeStore(Database& user);
    ~MistakeStore();
    MistakeStore(const MistakeStore&) = delete;
    MistakeStore& operator=(const MistakeStore&) = delete;

    // The statistics file that belongs to a user database.
    static QString fileFor(const QString& userDbPath);
    QString path() const;

    // Makes the statistics usable on the user's connection. An existing
    // file is checked: a damaged one is moved aside and made anew, a newer
    // one refused. A missing file is made only when `create` is set. Never
    // inside a transaction (attaching needs none open). True when runs can
    // be counted and read.
    bool prepare(bool create = true);
    // Why the statistics were rebuilt, or cannot be used, once; "" when
    // there is nothing to tell.
    QString takeNotice();
    // The file was written by a newer version and is left alone.
    bool refused() const { return m_refused; }

    // Counts one run of practice kind `kind` on today's date inside the
    // transaction the caller holds. A savepoint of its own keeps a failure
    // from touching the caller's writes. False when nothing was counted.
    bool addRun(int kind, const MistakeTally& tally);
    // The same in a transaction of its own (a fingering session).
    // `newRun` false adds the keys to a run already counted.
    bool storeRun(int kind, const MistakeTally& tally, bool newRun = true);

    // The runs of `kind` (kAllKinds: every kind) within `period`.
    MistakeFigures read(int kind, MistakePeriod period);
    // Whether any run was ever counted.
    bool hasHistory();
    // Removes every count of `kind` (kAllKinds: everything), in one
    // transaction. False when nothing was removed.
    bool reset(int kind);

    // The date runs are counted under (tests set their own).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }
    QDate today() const { return m_today ? m_today() : QDate::currentDate(); }

    // A statistics file beside a user database that is made anew (user
    // added again, database lost): kept under a dated name, as the database
    // is. False when the folder refuses; true when there was none.
    static bool moveAsideFor(const QString& userDbPath, QString* keptAs = nullptr);
    // Removes it with the user.
    static bool removeFor(const QString& userDbPath);

private:
    enum class Check { Good, Damaged, Newer, Unreadable };
    bool attached() const;
    bool attach(QString* error, bool* damaged = nullptr);
    void detach();
    Check check(QString* error);
    bool createFile(QString* error);
    bool rebuild(const QString& reason);
    bool writeRun(int kind, const MistakeTally& tally, bool newRun);
    bool failed(const QSqlQuery& query);

    Database& m_db;
    bool m_attachedHere = false; // detached again when this store goes
    QString m_notice;
    bool m_refused = false;
    bool m_broken = false;
    std::function<QDate()> m_today;
};

} // namespace tesmara
