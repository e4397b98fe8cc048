#include "Sources.h"

#include <QFile>

#include <algorithm>

namespace tesmara::gen {

namespace {

// Data lines of a UTF-8 file: comments (#) and blank lines dropped.
bool readDataLines(const QString& path, QStringList& lines, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.endsWith(QLatin1Char('\r')) ? line.chopped(1) : line;
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) {
            continue;
        }
        lines.append(trimmed);
    }
    return true;
}

bool isCode(const QString& code, int maxLength)
{
    if (code.isEmpty() || code.size() > maxLength) {
        return false;
    }
    return std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

QStringList codeList(const QString& field)
{
    return field.isEmpty() ? QStringList() : field.split(QLatin1Char(','));
}

bool loadWubi(const QString& path, std::map<char16_t, WubiEntry>& table, QString& error)
{
    QStringList lines;
    if (!readDataLines(path, lines, error)) {
        return false;
    }
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 5 || f[0].size() != 1 || !isCode(f[1], 4)) {
            error = QStringLiteral("%1: bad line \"%2\"").arg(path, line);
            return false;
        }
        WubiEntry entry{f[1], codeList(f[2]), codeList(f[3]), codeList(f[4])};
        table[f[0][0].unicode()] = entry;
    }
    return true;
}

bool loadReadings(const QString& path, Sources& out, QString& error)
{
    QStringList lines;
    if (!readDataLines(path, lines, error)) {
        return false;
    }
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 3 || f[0].size() != 1) {
            error = QStringLiteral("%1: bad line \"%2\"").arg(path, line);
            return false;
        }
        QStringList readings;
        for (const QString& r : f[2].split(QLatin1Char(','))) {
            if (isCode(r, 6) && !readings.contains(r)) {
                readings.append(r);
            }
        }
        if (!readings.isEmpty()) {
            out.readings[f[0][0].unicode()] = readings;
        }
    }
    return true;
}

bool loadPhrases(const QString& path, Sources& out, QString& error)
{
    QStringList lines;
    if (!readDataLines(path, lines, error)) {
        return false;
    }
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        bool ok = false;
        const qint64 weight = f.size() == 3 ? f[2].toLongLong(&ok) : 0;
        if (!ok || f[0].size() < 2 || f[0].size() > 4) {
            error = QStringLiteral("%1: bad line \"%2\"").arg(path, line);
            return false;
        }
        out.phrases.push_back({f[0], f[1], weight});
    }
    // The file is sorted by weight already; a stable sort keeps that promise
    // even if the file is edited by hand.
    std::stable_sort(out.phrases.begin(), out.phrases.end(),
                     [](const PhraseEntry& a, const PhraseEntry& b) { return a.weight > b.weight; });
    return true;
}

// The Wubi 86 input table with weights: single characters give the use
// frequency; its phrases are curated words, unlike the corpus list.
bool loadWubiTable(const QString& path, Sources& out, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    bool inBody = false;
    std::map<QString, qint64> words;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!inBody) {
            inBody = line == QLatin1String("...");
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 3) {
            continue;
        }
        bool ok = false;
        const qint64 weight = f[2].toLongLong(&ok);
        if (!ok) {
            continue;
        }
        const QString& word = f[0];
        if (word.size() == 1) {
            qint64& w = out.charWeight[word[0].unicode()];
            w = std::max(w, weight);
        } else if (word.size() >= 2 && word.size() <= 5) {
            qint64& w = words[word];
            w = std::max(w, weight);
        }
    }
    for (const auto& [phrase, weight] : words) {
        out.tablePhrases.push_back({phrase, QString(), weight});
    }
    std::stable_sort(out.tablePhrases.begin(), out.tablePhrases.end(),
                     [](const PhraseEntry& a, const PhraseEntry& b) { return a.weight > b.weight; });
    if (out.charWeight.empty()) {
        error = QStringLiteral("%1: no entries").arg(path);
        return false;
    }
    return true;
}

} // namespace

bool loadSources(const QString& dataDir, Sources& out, QString& error)
{
    const QString dir = dataDir.endsWith(QLatin1Char('/')) ? dataDir : dataDir + QLatin1Char('/');
    if (!loadWubi(dir + QStringLiteral("wubi86.txt"), out.wubi86, error) ||
        !loadWubi(dir + QStringLiteral("wubi98.txt"), out.wubi98, error) ||
        !loadReadings(dir + QStringLiteral("pinyin_chars.txt"), out, error) ||
        !loadPhrases(dir + QStringLiteral("phrases_pinyin.txt"), out, error) ||
        !loadWubiTable(dir + QStringLiteral("rime_wubi86.dict.yaml"), out, error)) {
        return false;
    }
    QStringList lines;
    if (!readDataLines(dir + QStringLiteral("common3500.txt"), lines, error)) {
        return false;
    }
    out.common = lines.join(QString());
    lines.clear();
    if (!readDataLines(dir + QStringLiteral("english_words.txt"), lines, error)) {
        return false;
    }
    for (const QString& word : lines) {
        if (isCode(word, 20) && !out.englishWords.contains(word)) {
            out.englishWords.append(word);
        }
    }
    return true;
}

} // namespace tesmara::gen
