#pragma once

#include <QImage>

namespace tesmara::charts {

// The Wubi 86 root chart: the three letter rows of the keyboard, each key
// with its letter, zone code, key-name root and further roots, coloured by
// zone, under a title and with a legend of the zones.
QImage rootChart();

} // namespace tesmara::charts
