#pragma once

#include "app/Clock.h"

#include <QApplication>
#include <QList>
#include <QString>
#include <QTemporaryDir>

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

// Writes bytes to a file, creating folders on the way.
bool writeFile(const QString& path, const QByteArray& bytes);

// The build's stage folder (where the program and its data files are).
QString stageDir();

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
class Script final : public RandomSource {
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

} // namespace tesmara::test
