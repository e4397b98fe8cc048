#pragma once

#include <QString>

namespace tesmara {

// The check field `c` of a practice record: the first 20 digits of the
// record code of Code_Of(ID) + Code_Of(type) + Code_Of(s) + t + r, every
// value as the text read back from the store. Whoever writes a `testlog` row
// computes `c` with this, after the row has its ID.
QString Record_Check(const QString& id, const QString& type, const QString& s, const QString& t, const QString& r);

} // namespace tesmara
