#pragma once
// The calls the program makes into the managed editors and executive. One implementation is
// installed at a time; without a managed runtime the stand-in of ManagedSideStandIn.h serves.

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// One stream of an operation and the other operations that use it.
struct CStreamReference {
    QString streamName;
    QStringList operationNames;
};

// Names and places the managed side needs to find the open project's data.
struct ZEVKProjectNamesLocations {
    QString projectName;
    QString temporaryFolder;
    QString workingLanguageDBPath;
    QString operatingInstructionsDBPath;
    QString currentStepDBPath;
};

class IManagedSide {
public:
    virtual ~IManagedSide() = default;

    // Editors. Each answers whether it changed anything.
    // The equipment editor: facility id with equipment id -1 creates an item there, facility id -1
    // edits that item. renamed receives the items whose tags it changed.
    virtual bool DotNetInvokeDataEquipment(long facilityID, long equipmentID,
                                           const ZEVKProjectNamesLocations& names, QList<long>& renamed) = 0;
    // The new recipe text of the edited operation; nothing when the editor changed nothing.
    // On a change, userComments receives the operation's comment text.
    virtual std::optional<QString> DotNetInvokeOperationDialog(long stepID, long operationID,
                                                               long lastPrimaryEquipmentID,
                                                               QString* userComments) = 0;
    // Regenerates one operation's recipe text into result; false when nothing was processed.
    virtual bool DotNetInvokeProcessOperation(long stepID, const QString& operationName, long operationID,
                                              QString& result) = 0;
    // The same of several operations of one step, each (name, id); one result each, nothing where
    // it was not processed. Here one call after the other; an implementation may read them together.
    virtual QList<std::optional<QString>>
    DotNetInvokeProcessOperations(long stepID, const QList<std::pair<QString, long>>& operations)
    {
        QList<std::optional<QString>> results;
        for (const auto& [name, operationID] : operations) {
            QString text;
            results.append(DotNetInvokeProcessOperation(stepID, name, operationID, text) ? std::optional(text)
                                                                                         : std::nullopt);
        }
        return results;
    }

    // Notifications.
    virtual void DotNetNotifyStreamUpdate(long stepID) = 0;
    virtual void DotNetInvokeSetEquipmentManagerToReload() = 0;
    virtual void DotNetNotifyPreferencesUpdate(const ZEVKProjectNamesLocations& names) = 0;
    virtual void DotNetNotifyOptionsUpdate(const ZEVKProjectNamesLocations& names) = 0;
    virtual void DotNetNotifyCommentsTypeUpdate() = 0;
    virtual void DotNetInvokeUpdateLanguage(const QString& language, const ZEVKProjectNamesLocations& names) = 0;
    virtual void DotNetInvokeResetStepWiseCache() = 0;

    // Queries.
    virtual QList<CStreamReference> DotNetStreamUsedInOtherOperation(long stepID, long operationID) = 0;
    // listName is the full managed name (it ends with "ListData"). False when key or list is unknown.
    virtual bool DotNetInvokeGetDisplayValue(QString& out, const QString& listName, const QString& key) = 0;
    virtual QStringList DotNetInvokeGetDisplayVector(const QString& listName) = 0;
    virtual bool DotNetInvokeGetKeyValue(QString& out, const QString& listName, const QString& display) = 0;
    // Hands the project's materials to the managed side; false when it cannot use them.
    virtual bool DotNetRuntimeLookupMatParams() = 0;
};

// The installed implementation; the stand-in when none was installed.
IManagedSide* GetManagedSide();
IManagedSide* SetManagedSide(IManagedSide* side); // returns the previous one (nullptr = stand-in)
