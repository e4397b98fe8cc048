// tesmara-gen: turns the source data in src/resources/data into the
// program's built-in resources. Run by the build; the same sources always
// give byte-identical files.
//
//   tesmara-gen <data folder> <output folder>
//
// Writes bin/101.bin, bin/102.bin (Wubi 86 and 98), bin/104.bin (pinyin),
// bin/gbk.idx (character to record index), str/<id>.txt (drill lists and
// game pools) and p.dat (phrases).

#include "CodeTables.h"
#include "DrillLists.h"
#include "PhraseDb.h"
#include "Sources.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

using namespace tesmara::gen;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "tesmara-gen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tesmara-gen <data folder> <output folder>\n");
        return 2;
    }
    const QString out = args[2] + QLatin1Char('/');
    if (!QDir().mkpath(out + QStringLiteral("bin")) || !QDir().mkpath(out + QStringLiteral("str"))) {
        std::fprintf(stderr, "tesmara-gen: cannot create %s\n", qPrintable(out));
        return 1;
    }

    Sources sources;
    QString error;
    if (!loadSources(args[1], sources, error)) {
        std::fprintf(stderr, "tesmara-gen: %s\n", qPrintable(error));
        return 1;
    }

    QStringList warnings;
    bool ok = writeFile(out + QStringLiteral("bin/101.bin"), wubiTable(sources.wubi86, warnings)) &&
              writeFile(out + QStringLiteral("bin/102.bin"), wubiTable(sources.wubi98, warnings)) &&
              writeFile(out + QStringLiteral("bin/104.bin"), pinyinTable(sources.readings, warnings)) &&
              writeFile(out + QStringLiteral("bin/gbk.idx"), gbkIndexMap());
    for (const auto& [id, text] : drillLists(sources, warnings)) {
        ok = ok && writeFile(out + QStringLiteral("str/%1.txt").arg(id), text.toUtf8());
    }
    if (ok && !writePhraseDb(sources, out + QStringLiteral("p.dat"), error, warnings)) {
        std::fprintf(stderr, "tesmara-gen: p.dat: %s\n", qPrintable(error));
        ok = false;
    }
    for (const QString& w : warnings) {
        std::fprintf(stderr, "tesmara-gen: note: %s\n", qPrintable(w));
    }
    return ok ? 0 : 1;
}
