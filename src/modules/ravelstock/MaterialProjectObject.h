#pragma once
// The stand-in's material project-side object: imported materials of the project's material
// working copy, and the answers about mixture components brought along.

#include "modules/ravelstock/ProjectSide.h"

class CMaterialProjectObject : public CProjectSideObject<IMaterialProject> {
public:
    using CProjectSideObject::CProjectSideObject;

    bool LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info) override;
    // A component needs no copy when the project material of that name was imported from the
    // library row of that name.
    bool NeedsNoCopy(const QString& subItemName) override;
    bool RecordMapping(long serverID, long localID, const QString& name, bool newCopy) override;
};
