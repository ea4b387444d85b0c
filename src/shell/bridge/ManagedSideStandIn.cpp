#include "shell/bridge/ManagedSideStandIn.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/project/UnitsLibrarySet.h"

namespace {
struct ListRow {
    const char* list;
    const char* key;
    const char* display;
};

// The display lists the program asks for, in each list's own order.
constexpr ListRow kDisplayLists[] = {
    {"AirListData", "Air", "Air"},
    {"NitrogenListData", "Nitrogen", "Nitrogen"},
    {"PressureListData", "Pa", "Pa"},
    {"PressureListData", "kPa", "kPa"},
    {"PressureListData", "bar", "bar"},
    {"PressureListData", "atm", "atm"},
    {"PressureListData", "psia", "psi (abs)"},
    {"PressureListData", "mmHg", "mm Hg"},
    {"TemperatureListData", "K", "K"},
    {"TemperatureListData", "C", "\u00b0C"},
    {"TemperatureListData", "F", "\u00b0F"},
    {"TemperatureListData", "R", "\u00b0R"},
    {"MassListData", "kg", "kg"},
    {"MassListData", "g", "g"},
    {"MassListData", "lb", "lb"},
    {"VolumeListData", "Cubic m", "m\u00b3"},
    {"VolumeListData", "liter", "L"},
    {"VolumeListData", "gal", "gal (US)"},
    {"TimeListData", "s", "s"},
    {"TimeListData", "min", "min"},
    {"TimeListData", "h", "h"},
    {"LeakRateListData", "lbhr", "lb/hr"},
    {"LeakRateListData", "kghr", "kg/hr"},
    {"LeakRateListData", "gmin", "g/min"},
    {"LeakRateListData", "scfm", "std ft\u00b3/min"},
};
} // namespace

CManagedSideStandIn::CManagedSideStandIn() : m_operationEditor(m_recipeText)
{
    for (const ListRow& row : kDisplayLists)
        m_lists[QString::fromUtf8(row.list).toLower()].append(
            {QString::fromUtf8(row.key), QString::fromUtf8(row.display)});
}

// A list of the table, else the project library's units of the quantity the name gives ("Area" of
// "AreaListData"), each its own display text.
QList<CManagedSideStandIn::Entry> CManagedSideStandIn::list(const QString& listName) const
{
    const auto it = m_lists.constFind(listName.toLower());
    if (it != m_lists.constEnd())
        return it.value();
    QList<Entry> entries;
    const QString suffix = QStringLiteral("ListData");
    if (!GetProjectDatabase() || !listName.endsWith(suffix, Qt::CaseInsensitive))
        return entries;
    CUnitsLibrarySet units;
    units.SetErrorMode(DaoErrorMode::Quiet);
    if (!units.OpenSet(QString(), listName.chopped(suffix.size())))
        return entries;
    for (; !units.IsEOF(); units.MoveNext())
        entries.append({units.Unit(), units.Unit()});
    units.CloseSet();
    return entries;
}

void CManagedSideStandIn::record(const QString& text, const ZEVKProjectNamesLocations* names)
{
    m_notifications << text;
    if (names)
        m_lastNames = *names;
}

bool CManagedSideStandIn::DotNetInvokeDataEquipment(long facilityID, long equipmentID,
                                                    const ZEVKProjectNamesLocations& names,
                                                    QList<long>& renamed)
{
    record(QStringLiteral("InvokeDataEquipment %1 %2").arg(facilityID).arg(equipmentID), &names);
    return m_equipmentEditor.Edit(facilityID, equipmentID, renamed);
}

std::optional<QString> CManagedSideStandIn::DotNetInvokeOperationDialog(long stepID, long operationID,
                                                                        long lastPrimaryEquipmentID,
                                                                        QString* userComments)
{
    record(QStringLiteral("InvokeOperationDialog %1 %2").arg(stepID).arg(operationID));
    return m_operationEditor.Edit(stepID, operationID, lastPrimaryEquipmentID, userComments);
}

bool CManagedSideStandIn::DotNetInvokeProcessOperation(long stepID, const QString& operationName,
                                                       long operationID, QString& result)
{
    record(QStringLiteral("InvokeProcessOperation %1 %2 %3").arg(stepID).arg(operationName).arg(operationID));
    return m_recipeText.Compose(stepID, operationID, result);
}

QList<std::optional<QString>>
CManagedSideStandIn::DotNetInvokeProcessOperations(long stepID, const QList<std::pair<QString, long>>& operations)
{
    QList<long> operationIDs;
    const QString head = QStringLiteral("InvokeProcessOperation ") + QString::number(stepID) + u' ';
    for (const auto& [name, operationID] : operations) {
        record(head + name + u' ' + QString::number(operationID)); // as one call after the other records
        operationIDs.append(operationID);
    }
    return m_recipeText.Compose(stepID, operationIDs);
}

void CManagedSideStandIn::DotNetNotifyStreamUpdate(long stepID)
{
    record(QStringLiteral("NotifyStreamUpdate %1").arg(stepID));
}

void CManagedSideStandIn::DotNetInvokeSetEquipmentManagerToReload()
{
    record(QStringLiteral("SetEquipmentManagerToReload"));
}

void CManagedSideStandIn::DotNetNotifyPreferencesUpdate(const ZEVKProjectNamesLocations& names)
{
    record(QStringLiteral("NotifyPreferencesUpdate"), &names);
}

void CManagedSideStandIn::DotNetNotifyOptionsUpdate(const ZEVKProjectNamesLocations& names)
{
    record(QStringLiteral("NotifyOptionsUpdate"), &names);
}

void CManagedSideStandIn::DotNetNotifyCommentsTypeUpdate()
{
    record(QStringLiteral("NotifyCommentsTypeUpdate"));
}

void CManagedSideStandIn::DotNetInvokeUpdateLanguage(const QString& language,
                                                     const ZEVKProjectNamesLocations& names)
{
    record(QStringLiteral("UpdateLanguage %1").arg(language), &names);
}

void CManagedSideStandIn::DotNetInvokeResetStepWiseCache()
{
    record(QStringLiteral("ResetStepWiseCache"));
    m_recipeText.Reset();
}

QList<CStreamReference> CManagedSideStandIn::DotNetStreamUsedInOtherOperation(long, long)
{
    return {};
}

bool CManagedSideStandIn::DotNetInvokeGetDisplayValue(QString& out, const QString& listName,
                                                      const QString& key)
{
    for (const Entry& entry : list(listName)) {
        if (entry.first.compare(key, Qt::CaseInsensitive) == 0) {
            out = entry.second;
            return true;
        }
    }
    return false;
}

QStringList CManagedSideStandIn::DotNetInvokeGetDisplayVector(const QString& listName)
{
    QStringList texts;
    for (const Entry& entry : list(listName))
        texts << entry.second;
    return texts;
}

bool CManagedSideStandIn::DotNetInvokeGetKeyValue(QString& out, const QString& listName,
                                                  const QString& display)
{
    for (const Entry& entry : list(listName)) {
        if (entry.second == display) {
            out = entry.first;
            return true;
        }
    }
    return false;
}

bool CManagedSideStandIn::DotNetRuntimeLookupMatParams()
{
    record(QStringLiteral("RuntimeLookupMatParams"));
    return true;
}

IManagedSide* GetManagedSide()
{
    static CManagedSideStandIn standIn;
    IManagedSide* installed = ServiceSlot<IManagedSide>::Get();
    return installed ? installed : &standIn;
}

IManagedSide* SetManagedSide(IManagedSide* side)
{
    return ServiceSlot<IManagedSide>::Set(side);
}
