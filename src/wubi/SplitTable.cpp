#include "wubi/SplitTable.h"

#include <QFile>
#include <QSet>

namespace tesmara::wubi {

namespace {

const QString kTablePath = QStringLiteral(":/data/split/split1081.txt");

bool isLetters(const QString& s)
{
    for (QChar c : s)
        if (c < u'a' || c > u'y')
            return false;
    return true;
}

} // namespace

QString codeOfSplit(const Split& split)
{
    const QString& k = split.keys;
    if (k.size() >= 4)
        return k.left(3) + k.back();
    return k + split.rest;
}

bool SplitTable::parse(const QString& text, QString* error)
{
    std::vector<Split> splits;
    QSet<QString> seen;
    const QStringList lines = text.split(u'\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        Split s;
        if (f.size() == 5) {
            s = {f[0], f[1].split(u' ', Qt::SkipEmptyParts), f[2], f[3] == u"-" ? QString() : f[3], f[4]};
        }
        const bool ok = f.size() == 5 && s.character.size() == 1 && !s.roots.isEmpty() &&
                        s.keys.size() == s.roots.size() && isLetters(s.keys) && isLetters(s.rest) &&
                        isLetters(s.code) && !seen.contains(s.character);
        if (!ok) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(n + 1).arg(line);
            return false;
        }
        seen.insert(s.character);
        splits.push_back(std::move(s));
    }
    m_splits = std::move(splits);
    return true;
}

const SplitTable& SplitTable::builtIn()
{
    static const SplitTable table = [] {
        SplitTable t;
        QFile file(kTablePath);
        if (file.open(QIODevice::ReadOnly))
            t.parse(QString::fromUtf8(file.readAll()));
        return t;
    }();
    return table;
}

int SplitTable::indexOf(const QString& character) const
{
    for (size_t i = 0; i < m_splits.size(); ++i)
        if (m_splits[i].character == character)
            return int(i);
    return -1;
}

const Split* SplitTable::find(const QString& character) const
{
    const int i = indexOf(character);
    return i < 0 ? nullptr : &m_splits[size_t(i)];
}

QString SplitTable::characters() const
{
    QString out;
    out.reserve(int(m_splits.size()));
    for (const Split& s : m_splits)
        out += s.character;
    return out;
}

} // namespace tesmara::wubi
