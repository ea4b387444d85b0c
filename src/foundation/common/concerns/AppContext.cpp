#include "foundation/common/concerns/AppContext.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/StepConnectionUse.h"

namespace {

template <typename Get> QString fromFileSet(Get get)
{
    return GetAppContext() ? get(GetAppContext()->fileSet()) : QString();
}

template <typename Get> QString fromPaths(Get get)
{
    PathProvider* paths = GetAppContext() ? GetAppContext()->paths() : nullptr;
    return paths ? get(*paths) : QString();
}
} // namespace

ProjectFileSet::ProjectFileSet() = default;
ProjectFileSet::~ProjectFileSet() = default;
StepDatabaseRegistry::StepDatabaseRegistry() = default;
StepDatabaseRegistry::~StepDatabaseRegistry() = default;

void StepDatabaseRegistry::add(long stepID, std::unique_ptr<CDaoDatabase> database, const QString& path)
{
    if (database)
        MarkStepConnectionIdle(*database);
    m_databases.push_back(std::move(database));
    m_stepIDs.append(stepID);
    m_paths.append(path);
}

CDaoDatabase* StepDatabaseRegistry::database(long stepID) const
{
    const qsizetype at = m_stepIDs.indexOf(stepID);
    return at < 0 ? nullptr : m_databases.at(size_t(at)).get();
}

QString StepDatabaseRegistry::path(long stepID) const
{
    const qsizetype at = m_stepIDs.indexOf(stepID);
    return at < 0 ? QString() : m_paths.at(at);
}

void StepDatabaseRegistry::removeAt(int index)
{
    m_databases.erase(m_databases.begin() + index);
    m_stepIDs.removeAt(index);
    m_paths.removeAt(index);
}

void StepDatabaseRegistry::clear()
{
    m_databases.clear();
    m_stepIDs.clear();
    m_paths.clear();
}

AppContext* SetAppContext(AppContext* context)
{
    return ServiceSlot<AppContext>::Set(context);
}

AppContext* GetAppContext()
{
    return ServiceSlot<AppContext>::Get();
}

CDaoDatabase* GetProjectDatabase()
{
    return GetAppContext() ? GetAppContext()->fileSet().projectDatabase.get() : nullptr;
}

CDaoDatabase* GetStepDatabase(long stepID)
{
    return GetAppContext() ? GetAppContext()->stepDatabases().database(stepID) : nullptr;
}

QString GetStepDBPath(long stepID)
{
    return GetAppContext() ? GetAppContext()->stepDatabases().path(stepID) : QString();
}

QString GetProjectFilePath()
{
    return fromFileSet([](const ProjectFileSet& f) { return f.projectFilePath; });
}
QString GetProjectDBPath()
{
    return fromFileSet([](const ProjectFileSet& f) { return f.projectDBPath; });
}
QString AppContext::regulatoryCategoriesPath()
{
    PathProvider* provider = paths();
    return provider ? provider->installDir() + QStringLiteral("RegulatoryCategories.mdb") : QString();
}

QString GetRegulatoryCategoriesPath()
{
    AppContext* context = GetAppContext();
    return context ? context->regulatoryCategoriesPath() : QString();
}

QString GetProjectDir()
{
    return fromFileSet([](const ProjectFileSet& f) { return f.projectDir; });
}
QString GetWorkingCopyDir()
{
    return fromFileSet([](const ProjectFileSet& f) { return f.workingCopyDir; });
}
QString GetProjectName()
{
    return fromFileSet([](const ProjectFileSet& f) { return f.projectName; });
}
QString GetEquipmentDBPath()
{
    return fromFileSet([](const ProjectFileSet& f) { return f.equipmentDBPath; });
}
QString GetMaterialsDBPath()
{
    return fromFileSet([](const ProjectFileSet& f) { return f.materialsDBPath; });
}

QString GetQuorvantaTempDir()
{
    return fromPaths([](PathProvider& p) { return p.instanceTempDir(); });
}
bool IsInstanceFolder(const QString& folder)
{
    AppContext* context = GetAppContext();
    return context && context->paths() && context->paths()->isInstanceFolder(folder);
}

bool PathProvider::isInstanceFolder(const QString& folder) const
{
    return IsResolvedBelow(folder, workingCopiesRoot());
}

QString GetInstallDir()
{
    return fromPaths([](PathProvider& p) { return p.installDir(); });
}
QString GetQuorvantaExePath()
{
    return fromPaths([](PathProvider& p) { return p.exeDir(); });
}

QString GetHelpFileName()
{
    return GetAppContext() ? GetAppContext()->helpFileName() : QString();
}

long GetProjectID()
{
    return GetAppContext() ? GetAppContext()->fileSet().projectID : -1;
}

bool SetProjectModified(bool modified)
{
    if (!GetAppContext())
        return false;
    GetAppContext()->setProjectModified(modified);
    return true;
}

namespace {
bool& RecipeReloadFlag()
{
    static bool flag = false;
    return flag;
}
} // namespace

void SetRecipeReloadFlag() { RecipeReloadFlag() = true; }

bool TestAndClearRecipeReloadFlag() { return std::exchange(RecipeReloadFlag(), false); }
