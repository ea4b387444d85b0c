#include "projects/StepRegistration.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <memory>

bool CStepRegistration::RegisterStepDatabase(long stepID, const QString& path)
{
    auto database = std::make_unique<CDaoDatabase>();
    try {
        database->Open(path, DatabaseRole::WorkingCopy);
    } catch (const CDaoException&) {
        return false;
    }
    m_registry.add(stepID, std::move(database), path);
    return true;
}

void CStepRegistration::UnregisterStepDatabase(long stepID)
{
    for (int i = m_registry.count() - 1; i >= 0; --i) {
        if (m_registry.stepIDAt(i) == stepID)
            m_registry.removeAt(i); // closes its database
    }
}
