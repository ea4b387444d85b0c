#include "modules/qvmaterial/QVMaterialHandover.h"

CQVMaterialHandover::CQVMaterialHandover()
{
    AddProjectHandover(this);
}

CQVMaterialHandover::~CQVMaterialHandover()
{
    RemoveProjectHandover(this);
}
