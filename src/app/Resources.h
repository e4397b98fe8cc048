#pragma once

#include <QByteArray>
#include <QString>

namespace tesmara {

// Built-in resources embedded in the program. Binary resources (code tables,
// pictures) are ":/data/bin/<id>.bin"; string resources (texts, drill lists)
// are UTF-8 files ":/data/str/<id>.txt".
QByteArray binaryResource(int id);
QString stringResource(int id);

} // namespace tesmara
