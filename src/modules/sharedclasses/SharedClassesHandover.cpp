#include "modules/sharedclasses/SharedClassesHandover.h"

#include "modules/sharedclasses/QVGlobalParams.h"

CSharedClassesHandover::CSharedClassesHandover()
{
    AddProjectHandover(this);
}

CSharedClassesHandover::~CSharedClassesHandover()
{
    RemoveProjectHandover(this);
}

void CSharedClassesHandover::DestroySharedSingletons()
{
    CQVGlobalParams::Destroy();
}
