#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

// The source data the generator reads from `src/resources/data/`, parsed
// once. Every container is ordered so that the outputs never depend on hash
// seeds or the order of a directory listing.
namespace tesmara::gen {

struct WubiEntry {
    QString full;       // full code, 1 to 4 letters
    QStringList short1; // one-letter codes
    QStringList short2; // two-letter codes
    QStringList short3; // three-letter codes
};

struct PhraseEntry {
    QString phrase;
    QString py; // toneless syllables separated by blanks
    qint64 weight = 0;
};

struct Sources {
    std::map<char16_t, WubiEntry> wubi86;
    std::map<char16_t, WubiEntry> wubi98;
    std::map<char16_t, QStringList> readings; // toneless, most usual first
    std::map<char16_t, qint64> charWeight;    // use frequency of single characters
    std::vector<PhraseEntry> phrases;         // two to four characters, weight descending
    std::vector<PhraseEntry> tablePhrases;    // the input table's own phrases (py empty), weight descending
    QString common;                           // the common-character table in its own order
    QStringList englishWords;                 // most frequent first
};

// Reads every source file; on failure returns false with `error` naming the
// file and line.
bool loadSources(const QString& dataDir, Sources& out, QString& error);

} // namespace tesmara::gen
