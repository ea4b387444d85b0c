#include "preferences/emissions/EmissionModelPreferences.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/project/EquipmentAirEmissionModelSet.h"
#include "foundation/db/project/PreferAirEmissionModelSet.h"
#include "foundation/db/project/QueryEmissionModelSet.h"

#include <algorithm>

namespace {
const char* const MODEL_LIST_FAILURE = "Can't open query model record set to populate model combo box!";
const char* const PREFER_FAILURE = "Can't open PREFER-AirEmission table for initialization";

bool ReportEmissionReadFailure(const char* text)
{
    QvMessageBox(QString::fromLatin1(text));
    return false;
}
} // namespace

QString OperationEmissionModels::ModelName(long modelID) const
{
    for (const EmissionModelChoice& model : models)
        if (model.id == modelID)
            return model.name;
    return QString();
}

bool OperationEmissionModels::Allows(long modelID) const
{
    return std::any_of(models.cbegin(), models.cend(),
                       [modelID](const EmissionModelChoice& model) { return model.id == modelID; });
}

OperationEmissionModels& CEmissionModelPreferences::Entry(long operationTypeID)
{
    auto found = m_entries.find(operationTypeID);
    if (found != m_entries.end())
        return found.value();
    OperationEmissionModels& entry = m_entries[operationTypeID];
    entry.failed = !(ReadKinds(operationTypeID, entry) && ReadModels(operationTypeID, entry) &&
                     ReadRanks(operationTypeID, entry));
    return entry;
}

// Labels of one FieldTypeID are joined with ", " in row order.
bool CEmissionModelPreferences::ReadKinds(long operationTypeID, OperationEmissionModels& entry)
{
    CEquipmentAirEmissionModelSet kinds;
    kinds.SetErrorMode(DaoErrorMode::Quiet);
    if (!kinds.OpenSet(operationTypeID))
        return ReportEmissionReadFailure(MODEL_LIST_FAILURE);
    for (; !kinds.IsEOF(); kinds.MoveNext()) {
        const long kindID = kinds.GetLong(QStringLiteral("FieldTypeID"));
        const QString label = kinds.GetText(QStringLiteral("FieldLabel"));
        if (!entry.kindIDs.isEmpty() && entry.kindIDs.last() == kindID) {
            entry.kindLabels.last() += QStringLiteral(", ") + label;
            continue;
        }
        entry.kindIDs << kindID;
        entry.kindLabels << label;
        entry.rankedIDs << QVector<long>(RANKS, -1);
    }
    kinds.CloseSet();
    return true;
}

bool CEmissionModelPreferences::ReadModels(long operationTypeID, OperationEmissionModels& entry)
{
    CQueryEmissionModelSet models;
    models.SetErrorMode(DaoErrorMode::Quiet);
    if (!models.OpenSet(operationTypeID))
        return ReportEmissionReadFailure(MODEL_LIST_FAILURE);
    for (; !models.IsEOF(); models.MoveNext())
        entry.models.append({models.GetLong(QStringLiteral("AirEmissionModelID")),
                             models.GetText(QStringLiteral("AirEmissionModelName"))});
    models.CloseSet();
    return true;
}

// Ranks outside 1 to 8 and models the type does not allow are left out (and left stored).
bool CEmissionModelPreferences::ReadRanks(long operationTypeID, OperationEmissionModels& entry)
{
    CPreferAirEmissionModelSet ranks;
    ranks.SetErrorMode(DaoErrorMode::Quiet);
    for (int k = 0; k < entry.kindIDs.size(); ++k) {
        if (!ranks.OpenSet(operationTypeID, entry.kindIDs[k]))
            return ReportEmissionReadFailure(PREFER_FAILURE);
        for (; !ranks.IsEOF(); ranks.MoveNext()) {
            const long rank = ranks.GetLong(QStringLiteral("SequenceNumber"));
            const long modelID = ranks.GetLong(QStringLiteral("AirEmissionModelID"));
            if (rank >= 1 && rank <= RANKS && entry.Allows(modelID))
                entry.rankedIDs[k][rank - 1] = modelID;
        }
        ranks.CloseSet();
    }
    entry.storedIDs = entry.rankedIDs;
    return true;
}

bool CEmissionModelPreferences::Write(CDaoDatabase& project) const
{
    bool wrote = false;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        if (!it.value().failed)
            wrote = WriteEntry(project, it.key(), it.value()) || wrote;
    return wrote;
}

bool CEmissionModelPreferences::WriteEntry(CDaoDatabase& project, long operationTypeID,
                                           const OperationEmissionModels& entry)
{
    bool wrote = false;
    for (int k = 0; k < entry.kindIDs.size(); ++k) {
        if (entry.rankedIDs[k] == entry.storedIDs[k])
            continue;
        QList<long> models;
        for (long modelID : entry.rankedIDs[k])
            if (modelID != -1)
                models << modelID;
        CPreferAirEmissionModelSet::Rewrite(project, operationTypeID, entry.kindIDs[k], models);
        wrote = true;
    }
    return wrote;
}
