// tesmara-split: draws the split pictures of the verified split table into
// "<output folder>/bin/103.bin" (the pictures as colour runs) and the string
// resources "str/390.txt" (their characters), "str/391.txt" (the colour
// table) and "str/392.txt" (the byte range of each picture). Run by the
// build.
//
//   tesmara-split <split table> <output folder>

#include "SplitDrawing.h"
#include "resources/DrawingProgram.h"

#include <QFile>

#include <cstdio>

using namespace tesmara;

int main(int argc, char** argv)
{
    const DrawingProgram program("tesmara-split", argc, argv, 1);
    if (!program.ok()) {
        return 2;
    }
    QFile file(program.input(0));
    wubi::SplitTable table;
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !table.parse(QString::fromUtf8(file.readAll()), &error)) {
        std::fprintf(stderr, "tesmara-split: cannot read %s %s\n", qPrintable(file.fileName()), qPrintable(error));
        return 1;
    }
    QByteArray pictures;
    QList<splitpic::Range> ranges;
    for (const wubi::Split& split : table.splits()) {
        const QByteArray runs = splitdraw::encodeRuns(splitdraw::drawSplit(split));
        ranges.append({qint32(pictures.size()), qint32(pictures.size() + runs.size() - 1)});
        pictures += runs;
    }
    const bool ok =
        program.save(QStringLiteral("bin/103.bin"), pictures) &&
        program.save(QStringLiteral("str/390.txt"), table.characters().toUtf8()) &&
        program.save(QStringLiteral("str/391.txt"), splitpic::colourTableText(splitdraw::palette()).toUtf8()) &&
        program.save(QStringLiteral("str/392.txt"), splitpic::rangesText(ranges).toUtf8());
    return ok ? 0 : 1;
}
