#pragma once

#include "Sources.h"

#include <map>

namespace tesmara::gen {

// The Wubi drill lists (300 to 310) and the game pools (1010, 1011), by
// resource number.
std::map<int, QString> drillLists(const Sources& sources, QStringList& warnings);

} // namespace tesmara::gen
