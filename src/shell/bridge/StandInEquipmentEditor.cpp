#include "shell/bridge/StandInEquipmentEditor.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "foundation/db/project/UnitsLibrarySet.h"
#include "results/ResultWindows.h"
#include "shell/bridge/EquipmentEditorDialog.h"
#include "shell/bridge/EquipmentLibraryRows.h"

#include <QApplication>
#include <QCursor>

namespace {
const QString DEFAULT_VOLUME_UNIT = QStringLiteral("liter");

QStringList VolumeUnits()
{
    QStringList units;
    CUnitsLibrarySet library;
    library.SetErrorMode(DaoErrorMode::Quiet);
    if (library.OpenSet(QString(), QStringLiteral("Volume"))) {
        for (; !library.IsEOF(); library.MoveNext())
            units << library.Unit();
        library.CloseSet();
    }
    return units.isEmpty() ? QStringList{DEFAULT_VOLUME_UNIT} : units;
}

// The arrow over the caller's wait cursor while the dialog is open.
class ArrowWhileEditing {
public:
    ArrowWhileEditing() : m_lifted(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_lifted)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~ArrowWhileEditing()
    {
        if (m_lifted)
            QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileEditing(const ArrowWhileEditing&) = delete;
    ArrowWhileEditing& operator=(const ArrowWhileEditing&) = delete;

private:
    bool m_lifted;
};

int RunDialog(CEquipmentEditorDialog& dialog)
{
    const ArrowWhileEditing arrow;
    return dialog.exec();
}

// What a run reads of the item: the vessel's size and type, and the class candidates are chosen by.
bool RunInputsDiffer(const EquipmentItemData& before, const EquipmentItemData& after)
{
    return before.capacity != after.capacity || before.capacityUOM != after.capacityUOM ||
           before.minimumVolume != after.minimumVolume || before.minimumVolumeUOM != after.minimumVolumeUOM ||
           before.type != after.type || before.className.compare(after.className, Qt::CaseInsensitive) != 0;
}
} // namespace

EquipmentEditorChoices CStandInEquipmentEditor::Choices(CDaoDatabase& equipment, const QString& facilityName,
                                                        bool isNew, const QString& tag)
{
    EquipmentEditorChoices choices;
    choices.title = isNew ? QStringLiteral("New Equipment") : QStringLiteral("Edit Equipment ") + tag;
    choices.facilityName = facilityName;
    for (const auto& entry :
         ReadEquipmentLookup(equipment, "EquipmentClass", "EquipmentClassID", "ClassName"))
        choices.classes << entry.second;
    choices.volumeUnits = VolumeUnits();
    choices.factories = ReadEquipmentLookup(equipment, "Factory", "FactoryID", "FactoryName");
    choices.buildings = ReadEquipmentLookup(equipment, "Building", "BuildingID", "BuildingName");
    choices.areas = ReadEquipmentLookup(equipment, "Area", "AreaID", "AreaName");
    return choices;
}

// The item as it stands (a new item's defaults), its facility and the dialog's lists; nullopt after
// a message when the item or its facility is gone.
std::optional<CStandInEquipmentEditor::Session>
CStandInEquipmentEditor::Open(CDaoDatabase& equipment, long facilityID, long equipmentID)
{
    Session session{facilityID, {}, {}};
    if (equipmentID >= 0) {
        const std::optional<EquipmentItemData> stored =
            ReadEquipmentItem(equipment, equipmentID, &session.plantID);
        if (!stored) {
            QvMessageBox(QStringLiteral("The equipment item no longer exists."), MB_OK | MB_ICONEXCLAMATION);
            return std::nullopt;
        }
        session.before = *stored;
    }
    const std::optional<QString> facility = ReadFacilityName(equipment, session.plantID);
    if (!facility) {
        QvMessageBox(QStringLiteral("The facility no longer exists."), MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    session.choices = Choices(equipment, *facility, equipmentID < 0, session.before.tag);
    const QStringList& units = session.choices.volumeUnits;
    const QString unit = units.contains(DEFAULT_VOLUME_UNIT) ? DEFAULT_VOLUME_UNIT : units.first();
    for (QString* uom : {&session.before.capacityUOM, &session.before.minimumVolumeUOM}) {
        if (uom->isEmpty())
            *uom = unit;
    }
    return session;
}

bool CStandInEquipmentEditor::Edit(long facilityID, long equipmentID, QList<long>& renamed)
{
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!equipment) {
        QvMessageBox(QStringLiteral("The equipment database could not be opened."), MB_OK | MB_ICONSTOP);
        return false;
    }
    try {
        const std::optional<Session> session = Open(*equipment, facilityID, equipmentID);
        if (!session)
            return false;
        const long plantID = session->plantID;
        const auto check = [equipment, plantID, equipmentID](const EquipmentItemData& item) {
            try {
                return EquipmentTagRefusal(*equipment, plantID, equipmentID, item.tag);
            } catch (const CDaoException& error) {
                return error.GetErrorDescription();
            }
        };
        CEquipmentEditorDialog dialog(session->choices, session->before, check, QApplication::activeWindow());
        if (RunDialog(dialog) != QDialog::Accepted || (equipmentID >= 0 && dialog.item() == session->before))
            return false;
        CDaoTransaction transaction(*equipment);
        const long written =
            WriteEquipmentItem(*equipment, plantID, equipmentID, session->before, dialog.item());
        transaction.Commit();
        if (equipmentID >= 0 && dialog.item().tag != session->before.tag)
            renamed << written;
        if (equipmentID >= 0 && RunInputsDiffer(session->before, dialog.item()))
            MarkStepsForResimulation(RESIM_FACILITY, plantID);
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return false;
    }
}
