#include "foundation/db/project/LanguagePreferencesSet.h"

#include "foundation/common/MessageBox.h"

const DaoRecordsetDef& CLanguagePreferencesSet::Definition(const QString& mode)
{
    static const DaoRecordsetDef preferred{
        "SELECT RecipeLanguagePath, RowKey FROM \"PREFER-Language\" ORDER BY RowKey",
        {{"PREFER-Language", {"RowKey"}}},
        {{"RecipeLanguagePath", DaoFieldType::Text}, {"RowKey", DaoFieldType::Long}}};
    static const DaoRecordsetDef temporary{
        "SELECT RecipeLanguagePath, RowKey FROM \"TempPREFER-Language\" ORDER BY RowKey",
        {{"TempPREFER-Language", {"RowKey"}}},
        {{"RecipeLanguagePath", DaoFieldType::Text}, {"RowKey", DaoFieldType::Long}}};
    return mode.compare(QLatin1String("Temp"), Qt::CaseInsensitive) == 0 ? temporary : preferred;
}

bool CLanguagePreferencesSet::OpenSet(const QString& projectPath, const QString& mode)
{
    if (projectPath.isEmpty()) {
        QvMessageBox(QStringLiteral("Project path is not specified!"));
        return false;
    }
    const DaoRecordsetDef& wanted = Definition(mode);
    if (&wanted != &GetDefinition())
        SetDefinition(wanted);
    return OpenOnFile(projectPath);
}
