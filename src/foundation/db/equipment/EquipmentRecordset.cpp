#include "foundation/db/equipment/EquipmentRecordset.h"

#include "foundation/common/concerns/AppContext.h"

bool CEquipmentRecordset::OpenOnEquipmentFile(const QString& path)
{
    const QString file = path.isEmpty() ? GetEquipmentDBPath() : path;
    if (file.isEmpty())
        return false;
    return OpenOnFile(file);
}
