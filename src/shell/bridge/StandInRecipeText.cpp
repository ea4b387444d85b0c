#include "shell/bridge/StandInRecipeText.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/LanguageDatabaseService.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <memory>

namespace {
// The library file read-only for the load: the program's own connection when it has one open.
std::unique_ptr<CDaoDatabase> OpenLibrary(const QString& path)
{
    auto database = std::make_unique<CDaoDatabase>();
    try {
        if (!path.isEmpty())
            database->Open(path, DatabaseRole::ReadOnly);
    } catch (const CDaoException&) {
        database->Close();
    }
    return database;
}
} // namespace

bool CStandInRecipeText::Compose(long stepID, long operationID, QString& text)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    RecipeTextOperation operation;
    if (!ReadRecipeTextOperation(*step, stepID, operationID, operation))
        return false;
    LoadProjectData();
    ReloadForUnknownEquipment({operation});
    text = ComposeRecipeText(operation, m_settings);
    return true;
}

QList<std::optional<QString>> CStandInRecipeText::Compose(long stepID, const QList<long>& operationIDs)
{
    QList<std::optional<QString>> texts(operationIDs.size());
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return texts;
    const QHash<long, RecipeTextOperation> operations = ReadRecipeTextOperations(*step, stepID, operationIDs);
    LoadProjectData();
    ReloadForUnknownEquipment(operations.values());
    for (qsizetype i = 0; i < operationIDs.size(); ++i) {
        const auto found = operations.constFind(operationIDs.at(i));
        if (found != operations.constEnd())
            texts[i] = ComposeRecipeText(*found, m_settings);
    }
    return texts;
}

void CStandInRecipeText::Reset()
{
    m_lackingEquipment.clear();
    m_loaded = false;
    m_projectPath.clear();
    m_settings = RecipeTextSettings();
}

void CStandInRecipeText::LoadProjectData()
{
    if (m_loaded && m_projectPath == GetProjectDBPath())
        return;
    Reset();
    m_loaded = true;
    m_projectPath = GetProjectDBPath();
    const std::unique_ptr<CDaoDatabase> equipment = OpenLibrary(GetEquipmentDBPath());
    const std::unique_ptr<CDaoDatabase> material = OpenLibrary(GetMaterialsDBPath());
    m_settings = LoadRecipeTextSettings(
        {GetProjectDatabase(), equipment.get(), material.get(), GetLanguageDatabase()});
}

// An equipment item made since the names were read (a new vessel set on a unit procedure) is
// named too: the names are read again, once, when an operation names an item they lack and that
// the last reading did not lack as well (a deleted item is not looked for again and again).
void CStandInRecipeText::ReloadForUnknownEquipment(const QList<RecipeTextOperation>& operations)
{
    QSet<long> lacking;
    const auto note = [&](long equipmentID) {
        if (equipmentID > 0 && !m_settings.equipment.contains(equipmentID))
            lacking.insert(equipmentID);
    };
    for (const RecipeTextOperation& operation : operations) {
        note(operation.equipmentID);
        note(operation.destinationID);
        for (long destination : operation.destinationIDs)
            note(destination);
    }
    if (lacking.isEmpty() || m_lackingEquipment.contains(lacking))
        return;
    Reset();
    LoadProjectData();
    for (long equipmentID : std::as_const(lacking)) {
        if (!m_settings.equipment.contains(equipmentID))
            m_lackingEquipment.insert(equipmentID);
    }
}
