#include "foundation/db/material/QueryMaterialForPhase.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/material/MaterialRecordset.h"

const DaoRecordsetDef& CQueryMaterialForPhase::Definition()
{
    static const DaoRecordsetDef def{"SELECT MaterialID, MaterialName FROM QryMaterialForPhase"
                                     " WHERE Phase = :ParaPhase ORDER BY MaterialName, MaterialID",
                                     {},
                                     {{"MaterialID", DaoFieldType::Long}, {"MaterialName", DaoFieldType::Text}}};
    return def;
}

bool CQueryMaterialForPhase::OpenSet(const QString& phase)
{
    const QString notOpen = QStringLiteral("Database file is not opend yet!");
    const QString path = GetMaterialsDBPath();
    if (path.isEmpty()) {
        QvMessageBox(notOpen);
        return false;
    }
    SetParameter(QStringLiteral("ParaPhase"), phase);
    SetErrorMode(DaoErrorMode::Quiet);
    const bool opened = OpenOnFile(path, QString(), MaterialDatabaseRoleOf(path));
    SetErrorMode(DaoErrorMode::Show);
    if (!opened)
        QvMessageBox(notOpen);
    return opened;
}

void CQueryMaterialForPhase::CloseSet()
{
    if (IsOpen())
        Close();
}
