#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

// The split pictures: how each character of the split table is cut into its
// Wubi roots, drawn as colour runs. The picture data (binary resource 103)
// holds the pictures one after another; string resource 390 lists their
// characters, 391 is the colour table and 392 the byte range of each
// picture.
//
// A picture is a sequence of runs. Each run starts with a colour byte (0 the
// back colour, k the colour table entry k). When the byte after it is a
// count byte (kFirstCount or more) the run is (count - 80) cells long and
// the next run starts after the count byte; otherwise the run is one cell
// and that byte is the next run's colour byte. Cells fill rows of kColumns
// from the left; the first row is kBottomRow and each full row moves the
// next run to column 0 of the row above.
namespace tesmara::splitpic {

inline constexpr int kColumns = 132;
inline constexpr int kBottomRow = 133;
// Row r covers the cells from (r - 1) to r, so rows kBottomRow .. 1 show.
inline constexpr int kRows = kBottomRow;
inline constexpr int kFirstCount = 81;
inline constexpr int kMaxRun = 255 - 80;
inline constexpr int kMaxColour = kFirstCount - 1;

// The inks of a picture. Each ink has kLevels shades blended from the
// picture background (level 1, palest) to the full ink (level kLevels), for
// smooth edges; a root drawn from part of a larger character shows the rest
// of it in its palest shade.
inline constexpr int kLevels = 3;
inline constexpr int kCharacterInk = 0;         // the character itself
inline constexpr int kMaxRoots = 8;             // roots 1..8 are inks 1..8, in writing order
inline constexpr int kMutedInk = kMaxRoots + 1; // letters beyond the code: extra roots, identification letter
inline constexpr int kInks = kMutedInk + 1;
// The background the shades are blended towards: the back colour the split
// drill gives its picture control (&HBBGGRR).
inline constexpr quint32 kBackVb = 0xFFFBF5;

// The colour-table index of an ink at a level 1..kLevels.
constexpr int colourIndex(int ink, int level)
{
    return 1 + ink * kLevels + (level - 1);
}
constexpr int inkOf(int colourIndex)
{
    return (colourIndex - 1) / kLevels;
}
constexpr int levelOf(int colourIndex)
{
    return (colourIndex - 1) % kLevels + 1;
}

struct Range {
    qint32 start = 0;
    qint32 end = -1; // inclusive
};

// One run as it is painted: `cells` cells from (column, row). `single` runs
// have no count byte.
struct Run {
    int column;
    int row;
    int cells;
    quint8 colour;
    bool single;
};

// Walks the runs of data[range.start .. range.end] and calls f(run) for each.
// A range outside the data walks nothing; false then.
template <class F> bool forEachRun(const QByteArray& data, Range range, F&& f)
{
    if (range.start < 0 || range.end >= data.size() || range.start > range.end) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const quint8*>(data.constData());
    int column = 0;
    int row = kBottomRow;
    for (qint32 p = range.start; p <= range.end;) {
        const quint8 colour = bytes[p];
        const bool counted = p + 1 <= range.end && bytes[p + 1] >= kFirstCount;
        const int cells = counted ? bytes[p + 1] - 80 : 1;
        f(Run{column, row, cells, colour, !counted});
        column += cells;
        p += counted ? 2 : 1;
        if (column >= kColumns) {
            column = 0;
            --row;
        }
    }
    return true;
}

// Reads a picture back cell by cell: kRows rows of kColumns colour bytes,
// top row first; -1 for a cell no run reached. Cells a run paints beyond the
// right edge are dropped. Empty when the range lies outside the data.
std::vector<int> decode(const QByteArray& data, Range range);

// The texts of resources 391 and 392, and their parsers (which give empty
// lists for damaged text).
QString colourTableText(const QList<quint32>& colours);
QList<quint32> parseColourTable(const QString& text);
QString rangesText(const QList<Range>& ranges);
QList<Range> parseRanges(const QString& text);

} // namespace tesmara::splitpic
