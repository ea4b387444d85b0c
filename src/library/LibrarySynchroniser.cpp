#include "library/LibrarySynchroniser.h"

#include "foundation/common/MessageBox.h"
#include "library/LibraryUpdateDialogs.h"
#include "library/UpdateManager.h"
#include "modules/ravelstock/LibraryComponent.h"
#include "modules/ravelstock/LibraryComponentError.h"

void CLibrarySynchroniser::SynchroniseLibraries()
{
    try {
        CUpdateManager manager;
        manager.Run();
    } catch (const CLibraryComponentError& e) {
        ShowSynchronisationMessage(e.Description(), MB_OK | MB_ICONSTOP);
    } catch (const std::exception& e) {
        ShowSynchronisationMessage(QString::fromUtf8(e.what()), MB_OK | MB_ICONSTOP);
    }
    if (LibraryComponent* component = GetLibraryComponent())
        component->EndRun();
}
