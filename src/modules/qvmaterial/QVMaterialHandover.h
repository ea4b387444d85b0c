#pragma once
// The main frame's material entry object, from start-up to exit: told of every project close
// through the close stage of the hand-over while it exists.

#include "foundation/common/concerns/ProjectHandover.h"
#include "modules/qvmaterial/QVMaterialEntry.h"

class CQVMaterialHandover : public ProjectHandover {
public:
    CQVMaterialHandover();
    ~CQVMaterialHandover() override;
    CQVMaterialHandover(const CQVMaterialHandover&) = delete;
    CQVMaterialHandover& operator=(const CQVMaterialHandover&) = delete;

    void CloseMaterialProject() override { m_entry.CloseProject(); }
    QVMaterialEntry& Entry() { return m_entry; }

private:
    QVMaterialEntry m_entry;
};
