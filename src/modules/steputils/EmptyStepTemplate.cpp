#include "modules/steputils/EmptyStepTemplate.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "modules/steputils/ExchangeFormat.h"

#include <QDir>
#include <QMutex>
#include <QSet>

namespace {

const QString TEMPLATE_FILE_NAME = QStringLiteral("EmptyStep.template");
const QString STEP_TABLES_FILE_NAME = QStringLiteral("EmptyStepTables.template");

quint32 TemplateApplicationID(bool exchangeTables)
{
    return exchangeTables ? EXCHANGE_APPLICATION_ID : ApplicationID(DatabaseKind::Step);
}

// The template's folder: the instance's temporary folder, or the system's without one.
QString TemplateFolder()
{
    const QString instance = GetQuorvantaTempDir();
    return WithSlash(instance.isEmpty() ? QDir::tempPath() : instance);
}

bool IsCurrentTemplate(const QString& path, bool exchangeTables)
{
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(path);
    return header && header->applicationID == TemplateApplicationID(exchangeTables) &&
           header->userVersion == CSchemaBuilder::SchemaVersion(DatabaseKind::Step);
}

// Schema, seed rows and exchange tables, built beside the template and renamed over it.
bool BuildTemplate(const QString& path, bool exchangeTables, QString* error)
{
    const QString building = path + QStringLiteral(".new");
    DeleteDatabaseFile(building);
    CSchemaBuilder builder(DatabaseKind::Step);
    bool built = builder.Create(building);
    for (const QString& statement : exchangeTables ? ExchangeTableStatements() : QStringList())
        built = built && builder.Execute(statement);
    built = built &&
            builder.Execute(QStringLiteral("PRAGMA application_id = %1").arg(TemplateApplicationID(exchangeTables))) &&
            builder.Finish();
    if (!built) {
        *error = builder.ErrorText();
        builder.Abandon();
        return false;
    }
    try {
        ReplaceFile(building, path);
        SyncFolderOf(path);
    } catch (const CDaoException& exception) {
        *error = exception.GetErrorDescription();
        DeleteDatabaseFile(building);
        return false;
    }
    return true;
}

} // namespace

QString EmptyStepTemplate(QString* error, bool exchangeTables)
{
    static QMutex guard;
    static QSet<QString> builtThisRun;
    const QMutexLocker locked(&guard);
    const QString path = TemplateFolder() + (exchangeTables ? TEMPLATE_FILE_NAME : STEP_TABLES_FILE_NAME);
    if (builtThisRun.contains(path) && IsCurrentTemplate(path, exchangeTables))
        return path;
    if (!BuildTemplate(path, exchangeTables, error))
        return QString();
    builtThisRun.insert(path);
    return path;
}
