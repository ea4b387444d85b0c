#include "foundation/db/project/QueryControlEfficiencyLib.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"

#include <QFileInfo>

const DaoRecordsetDef& CQueryControlEfficiencyLib::Definition()
{
    static const DaoRecordsetDef def{"SELECT ComponentCategory FROM ComponentCategories ORDER BY CategoryID",
                                     {},
                                     {{"ComponentCategory", DaoFieldType::Text}}};
    return def;
}

bool CQueryControlEfficiencyLib::OpenSet(const QString& path)
{
    const QString file = path.isEmpty() ? GetRegulatoryCategoriesPath() : path;
    const QString notOpen = QStringLiteral("Can't open Cost Factor Preference table for update!");
    // An empty path would mean the project database; a missing file is never created.
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        CloseSet();
        QvMessageBox(notOpen);
        return false;
    }
    return OpenOnFile(file, notOpen, DatabaseRole::ReadOnly);
}
