#pragma once

#include <QImage>

namespace tesmara::charts {

// The root mnemonic chart: zone by zone, every key's letter, key-name root
// and further roots with a short memory line that groups them.
QImage mnemonicChart();

} // namespace tesmara::charts
