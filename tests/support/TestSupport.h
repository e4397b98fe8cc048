#pragma once

#include "app/Clock.h"

#include <QApplication>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <atomic>
#include <memory>
#include <thread>

namespace tesmara {
class Database;
class Form_Test_Common;
class TS;
} // namespace tesmara

namespace tesmara::test {

// A fresh program folder for one test: App_Path points at it, messages must
// be answered through MsgScript, and database failures throw.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    QString path() const; // ends with "/"
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};

// The main window on the given clock and random source, shown.
std::unique_ptr<Form_Test_Common> shownMainWindow(Clock* clock, RandomSource* random);

// Writes bytes to a file, creating folders on the way.
bool writeFile(const QString& path, const QByteArray& bytes);

// The build's stage folder (where the program and its data files are).
QString stageDir();

// Queues the answers to the next message dialogs, in order.
void answer(const QStringList& answers);

// The text of the last message shown, or an empty text.
QString lastMessage();

// Clicks the middle of a shown widget, as the mouse does.
void click(QWidget* widget);

// Clicks tab `index` of a tab strip.
void clickTab(TS* strip, int index);

// Sends `text` as an input method commits it (after an optional preedit).
void commitText(QWidget* target, const QString& text, const QString& preedit = QString());

// The stored text of setting `key`, or "<none>" when its row is missing or null.
QString storedSetting(Database& db, const QString& key);

// A saved article row (name with its kind suffix) with its check and position.
void addArticle(Database& db, const QString& name, const QString& text, qint64 position = 1);

// The reading position stored for `key` in `table` (test_no or text_), or -1.
qint64 position(Database& db, const QString& table, const QString& key);

// A practice record, added the way a finished run adds it: row first, then
// its check.
qint64 addRecord(Database& db, int type, int speed, int minutes, const QString& accuracy);

// The shown top-level window of type T, or nullptr.
template <typename T> T* shown()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) {
            return t;
        }
    }
    return nullptr;
}

// Random numbers from a list, in order and then over again; bounded(n)
// scales the next value to n.
class Script : public RandomSource {
public:
    explicit Script(QList<double> values = {0.5}) : m_values(std::move(values)) {}
    quint32 bounded(quint32 bound) override { return quint32(unit() * bound); }
    double unit() override { return m_values[m_next++ % m_values.size()]; }
    void restart() { m_next = 0; }
    void set(QList<double> values)
    {
        m_values = std::move(values);
        m_next = 0;
    }
    qsizetype used() const { return m_next; }

private:
    QList<double> m_values;
    qsizetype m_next = 0;
};

// Random numbers from a fixed seed: a long game or practice, the same each run.
class Seeded final : public RandomSource {
public:
    explicit Seeded(quint32 seed = 20240611) : m_generator(seed) {}
    quint32 bounded(quint32 bound) override { return bound ? m_generator.bounded(bound) : 0; }
    double unit() override { return m_generator.generateDouble(); }

private:
    QRandomGenerator m_generator;
};

// File permissions hold for this process while it lives, also when the tests
// run as root: the capabilities that override them are dropped from the
// effective set and given back afterwards.
class PermissionsApply {
public:
    PermissionsApply();
    ~PermissionsApply();
    PermissionsApply(const PermissionsApply&) = delete;
    PermissionsApply& operator=(const PermissionsApply&) = delete;

private:
    quint32 m_saved = 0;
    bool m_dropped = false;
};

// A file or folder made read-only for the helper's life, with permissions
// applying (see above); its owner may write it again afterwards.
class ReadOnly {
public:
    explicit ReadOnly(const QString& path);
    ~ReadOnly();
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;

private:
    QString m_path;
    std::unique_ptr<PermissionsApply> m_permissions;
};

// A named pipe at `path`, watched: `opened()` tells whether anybody opened it
// for reading. A reader that blocks in open() or read() is let go (it sees an
// empty file), so a test of code that should never touch the pipe fails
// instead of hanging.
class FifoWatch {
public:
    explicit FifoWatch(const QString& path);
    ~FifoWatch();
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;
    bool isValid() const { return m_valid; }
    bool opened() const { return m_opened; }

private:
    QByteArray m_path;
    bool m_valid = false;
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace tesmara::test
