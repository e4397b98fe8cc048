#pragma once

#include <QString>

namespace tesmara {

// Renames a database file to "<file>.<yyyyMMdd-HHmmss>" beside it (with
// "-2", "-3" … when that name is taken), its rollback journal with it: a
// journal left behind would be replayed into the next file of that name.
// `keptAs` receives the new name. False, with nothing moved, when the
// folder refuses.
bool moveAside(const QString& file, QString* keptAs);

// Removes a database file and its journal; true when neither is left.
bool removeWithJournal(const QString& file);

} // namespace tesmara
