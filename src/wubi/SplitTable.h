#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace tesmara::wubi {

// One character of the split pictures: how it is cut into Wubi 86 roots.
struct Split {
    QString character;
    QStringList roots; // in writing order; a name such as 高头 for a root Unicode lacks
    QString keys;      // the key letter of each root
    QString rest;      // identification letter, or the rest of a root character's code; "" after four roots
    QString code;      // full Wubi 86 code
};

// The code the coding rules give for a split: the keys of the first three
// roots and of the last one; with fewer roots all keys and the letters after
// them.
QString codeOfSplit(const Split& split);

// The verified split table (split1081.txt): one row per picture, in picture
// order.
class SplitTable {
public:
    // Parses the table text; on failure returns false with `error` naming
    // the line.
    bool parse(const QString& text, QString* error = nullptr);
    // The built-in table, loaded once.
    static const SplitTable& builtIn();

    const std::vector<Split>& splits() const { return m_splits; }
    // Picture number of a character, or -1.
    int indexOf(const QString& character) const;
    const Split* find(const QString& character) const;
    // The characters in picture order, run together.
    QString characters() const;

private:
    std::vector<Split> m_splits;
};

} // namespace tesmara::wubi
