#pragma once

#include "app/Clock.h"

#include <QList>

namespace tesmara::test {

// Random numbers from a list, repeated. While it lives it is the default
// source, so windows that draw their own numbers draw these.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(QList<double> values) : m_values(std::move(values)) { setDefaultRandom(this); }
    ~ScriptedRandom() override { setDefaultRandom(nullptr); }
    quint32 bounded(quint32 bound) override { return quint32(unit() * bound); }
    double unit() override { return m_values[m_next++ % m_values.size()]; }
    // The next numbers come from `values`.
    void then(QList<double> values)
    {
        m_values = std::move(values);
        m_next = 0;
    }

private:
    QList<double> m_values;
    qsizetype m_next = 0;
};

} // namespace tesmara::test
