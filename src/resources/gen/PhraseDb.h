#pragma once

#include "Sources.h"

namespace tesmara::gen {

// Writes the phrase database (tables v2 to v5) to `path`, replacing it only
// when complete. Returns false with `error` set on failure.
bool writePhraseDb(const Sources& sources, const QString& path, QString& error, QStringList& warnings);

} // namespace tesmara::gen
