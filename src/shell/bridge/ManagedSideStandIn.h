#pragma once
// Managed side without a managed runtime: display lists come from a small built-in key/text table
// (other unit lists from the project's unit library, each unit its own text),
// notifications are recorded, the equipment editor creates and edits items of the equipment library
// (StandInEquipmentEditor.h), the operation editor edits the
// operation's stored parameters and comments (StandInOperationEditor.h), the material look-up
// accepts the project, and the process-operation call generates the operation's recipe text from
// its stored data.

#include "shell/bridge/ManagedSide.h"
#include "shell/bridge/StandInEquipmentEditor.h"
#include "shell/bridge/StandInOperationEditor.h"
#include "shell/bridge/StandInRecipeText.h"

#include <QMap>
#include <QPair>

class CManagedSideStandIn : public IManagedSide {
public:
    CManagedSideStandIn();

    bool DotNetInvokeDataEquipment(long facilityID, long equipmentID, const ZEVKProjectNamesLocations& names,
                                   QList<long>& renamed) override;
    std::optional<QString> DotNetInvokeOperationDialog(long stepID, long operationID, long lastPrimaryEquipmentID,
                                                       QString* userComments) override;
    bool DotNetInvokeProcessOperation(long stepID, const QString& operationName, long operationID,
                                      QString& result) override;
    QList<std::optional<QString>>
    DotNetInvokeProcessOperations(long stepID, const QList<std::pair<QString, long>>& operations) override;

    void DotNetNotifyStreamUpdate(long stepID) override;
    void DotNetInvokeSetEquipmentManagerToReload() override;
    void DotNetNotifyPreferencesUpdate(const ZEVKProjectNamesLocations& names) override;
    void DotNetNotifyOptionsUpdate(const ZEVKProjectNamesLocations& names) override;
    void DotNetNotifyCommentsTypeUpdate() override;
    void DotNetInvokeUpdateLanguage(const QString& language, const ZEVKProjectNamesLocations& names) override;
    void DotNetInvokeResetStepWiseCache() override;

    QList<CStreamReference> DotNetStreamUsedInOtherOperation(long stepID, long operationID) override;
    bool DotNetInvokeGetDisplayValue(QString& out, const QString& listName, const QString& key) override;
    QStringList DotNetInvokeGetDisplayVector(const QString& listName) override;
    bool DotNetInvokeGetKeyValue(QString& out, const QString& listName, const QString& display) override;
    bool DotNetRuntimeLookupMatParams() override;

    // What the program told the managed side, oldest first ("NotifyStreamUpdate 12", ...).
    const QStringList& notifications() const { return m_notifications; }
    // The last names and locations handed over with a notification.
    const ZEVKProjectNamesLocations& lastNames() const { return m_lastNames; }

private:
    using Entry = QPair<QString, QString>; // key, display text
    QList<Entry> list(const QString& listName) const;
    void record(const QString& text, const ZEVKProjectNamesLocations* names = nullptr);

    QMap<QString, QList<Entry>> m_lists; // keyed by lower-case list name
    QStringList m_notifications;
    ZEVKProjectNamesLocations m_lastNames;
    CStandInRecipeText m_recipeText;
    CStandInOperationEditor m_operationEditor;
    CStandInEquipmentEditor m_equipmentEditor;
};
