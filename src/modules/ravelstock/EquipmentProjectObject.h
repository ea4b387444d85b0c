#pragma once
// The stand-in's equipment project-side object: imported equipment of the project's equipment
// working copy, their handles, and the answers about the classes they bring along.

#include "modules/ravelstock/ProjectSide.h"

class CEquipmentProjectObject : public CProjectSideObject<IEquipmentProject> {
public:
    using CProjectSideObject::CProjectSideObject;

    long ItemHandle(long localID) override;
    // A class needs no copy when the project has it under the same id and name.
    bool NeedsNoCopy(long subItemID) override;
    bool IsNameTakenFor(long handle, const QString& name) override;
};
