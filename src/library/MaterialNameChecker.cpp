#include "library/MaterialNameChecker.h"

#include "modules/ravelstock/LibraryComponent.h"

bool CMaterialNameChecker::NameExists(const QString& name)
{
    return !name.isNull() && m_project && m_project->IsNameTaken(name);
}
