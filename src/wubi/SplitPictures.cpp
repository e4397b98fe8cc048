#include "wubi/SplitPictures.h"

#include <QStringList>

namespace tesmara::splitpic {

std::vector<int> decode(const QByteArray& data, Range range)
{
    std::vector<int> cells(size_t(kRows * kColumns), -1);
    const bool inside = forEachRun(data, range, [&](const Run& run) {
        if (run.row < 1 || run.row > kBottomRow) {
            return;
        }
        const size_t rowStart = size_t(kBottomRow - run.row) * kColumns;
        for (int c = run.column; c < run.column + run.cells && c < kColumns; ++c) {
            cells[rowStart + size_t(c)] = run.colour;
        }
    });
    return inside ? cells : std::vector<int>();
}

QString colourTableText(const QList<quint32>& colours)
{
    QStringList items;
    for (quint32 c : colours) {
        items << QString::number(c);
    }
    return items.join(u',');
}

QList<quint32> parseColourTable(const QString& text)
{
    QList<quint32> colours;
    for (const QString& item : text.trimmed().split(u',')) {
        bool ok = false;
        const uint value = item.toUInt(&ok);
        if (!ok || value > 0xFFFFFF) {
            return {};
        }
        colours << value;
    }
    return colours;
}

QString rangesText(const QList<Range>& ranges)
{
    QStringList items;
    for (const Range& r : ranges) {
        items << QStringLiteral("%1,%2").arg(r.start).arg(r.end);
    }
    return items.join(u'|');
}

QList<Range> parseRanges(const QString& text)
{
    QList<Range> ranges;
    for (const QString& item : text.trimmed().split(u'|')) {
        const QStringList pair = item.split(u',');
        bool ok1 = false;
        bool ok2 = false;
        const Range r{pair.value(0).toInt(&ok1), pair.value(1).toInt(&ok2)};
        if (pair.size() != 2 || !ok1 || !ok2) {
            return {};
        }
        ranges << r;
    }
    return ranges;
}

} // namespace tesmara::splitpic
