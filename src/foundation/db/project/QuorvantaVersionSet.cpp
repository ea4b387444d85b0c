#include "foundation/db/project/QuorvantaVersionSet.h"

#include "foundation/db/connection/DaoException.h"

const DaoRecordsetDef& CQuorvantaVersionSet::Definition()
{
    static const DaoRecordsetDef def{"SELECT VersionNumber, RowKey FROM QuorvantaVersion ORDER BY RowKey",
                                     {{"QuorvantaVersion", {"RowKey"}}},
                                     {{"VersionNumber", DaoFieldType::Text}, {"RowKey", DaoFieldType::Long}}};
    return def;
}

CQuorvantaVersionSet::CQuorvantaVersionSet() : CDaoRecordset(Definition())
{
    SetErrorMode(DaoErrorMode::Propagate);
}

// The files are not encrypted, so the retry with the older passwords has nothing to try.
bool CQuorvantaVersionSet::OpenSet(const QString& dbPath)
{
    m_errorText.clear();
    try {
        if (OpenOnFile(dbPath, QString(), DatabaseRole::ReadOnly))
            return true;
        m_errorText = QStringLiteral("The database is not open.");
    } catch (const CDaoException& error) {
        m_errorText = error.GetErrorDescription();
    }
    CloseSet();
    return false;
}
