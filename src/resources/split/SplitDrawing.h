#pragma once

#include "wubi/SplitPictures.h"
#include "wubi/SplitTable.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace tesmara::splitdraw {

// One split picture as colour-table indices, splitpic::kRows rows of
// splitpic::kColumns, top row first; 0 is the background. The character
// stands large at the top; under it its roots in writing order, each in its
// own colour with its key letter below, then the letters the code adds
// after the roots.
std::vector<quint8> drawSplit(const wubi::Split& split);

// The colour table (resource 391) the indices refer to, as &HBBGGRR values;
// entry 0 is the background.
QList<quint32> palette();

// The runs of one picture, bottom row first.
QByteArray encodeRuns(const std::vector<quint8>& cells);

} // namespace tesmara::splitdraw
