#include "records/RecordCheck.h"

#include "store/RecordCode.h"

namespace tesmara {

QString Record_Check(const QString& id, const QString& type, const QString& s, const QString& t, const QString& r)
{
    return Code_Of(Code_Of(id) + Code_Of(type) + Code_Of(s) + t + r).left(20);
}

} // namespace tesmara
