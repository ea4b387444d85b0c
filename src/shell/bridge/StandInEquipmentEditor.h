#pragma once
// The stand-in's equipment editor: a new item of a facility, or an existing item, edited in our
// dialog and written to the equipment library's working copy in one transaction (the item, a new
// class when one was typed, and the item's capacity, volume and material property rows). A tag is
// unique in its facility, ignoring case. Cancel, or OK with nothing changed, writes nothing; a
// failed write rolls back and shows the database's message. An edit of what a run reads of the
// item (size, type, class) marks the facility's steps for simulating again.

#include "shell/bridge/EquipmentItemData.h"

#include <optional>

class CDaoDatabase;

class CStandInEquipmentEditor {
public:
    // facilityID with equipmentID -1: a new item there; facilityID -1: that item. True when the
    // library changed; renamed receives the item when its tag changed.
    bool Edit(long facilityID, long equipmentID, QList<long>& renamed);

private:
    struct Session {
        long plantID;
        EquipmentItemData before;
        EquipmentEditorChoices choices;
    };
    static std::optional<Session> Open(CDaoDatabase& equipment, long facilityID, long equipmentID);
    static EquipmentEditorChoices Choices(CDaoDatabase& equipment, const QString& facilityName, bool isNew,
                                          const QString& tag);
};
