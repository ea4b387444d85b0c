#include "foundation/common/concerns/LanguageDatabaseService.h"

#include "foundation/common/ServiceSlot.h"

CDaoDatabase* GetLanguageDatabase()
{
    const LanguageDatabaseService* service = ServiceSlot<LanguageDatabaseService>::Get();
    return service ? service->LanguageDatabase() : nullptr;
}

bool ReplaceLanguageDatabase(const QString& templatePath, const QString& convertedCopy)
{
    LanguageDatabaseService* service = ServiceSlot<LanguageDatabaseService>::Get();
    return service && service->ReplaceLanguageDatabase(templatePath, convertedCopy);
}

void RestorePreviousLanguageDatabase()
{
    if (LanguageDatabaseService* service = ServiceSlot<LanguageDatabaseService>::Get())
        service->RestorePreviousLanguageDatabase();
}
