#include "foundation/common/ServiceSlot.h"

ServiceInstallations::ServiceInstallations() = default;

ServiceInstallations::~ServiceInstallations()
{
    for (auto it = m_restore.rbegin(); it != m_restore.rend(); ++it)
        (*it)();
}
