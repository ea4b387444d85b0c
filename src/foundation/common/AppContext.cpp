#include "foundation/common/AppContext.h"

namespace {
AppContext* g_appContext = nullptr;

template <typename Get>
QString fromFileSet(Get get)
{
    return g_appContext ? get(g_appContext->fileSet()) : QString();
}

template <typename Get>
QString fromPaths(Get get)
{
    PathProvider* paths = g_appContext ? g_appContext->paths() : nullptr;
    return paths ? get(*paths) : QString();
}
} // namespace

void StepDatabaseRegistry::add(long stepID, CDaoDatabase* database, const QString& path)
{
    m_databases.append(database);
    m_stepIDs.append(stepID);
    m_paths.append(path);
}

CDaoDatabase* StepDatabaseRegistry::database(long stepID) const
{
    const qsizetype at = m_stepIDs.indexOf(stepID);
    return at < 0 ? nullptr : m_databases.at(at);
}

QString StepDatabaseRegistry::path(long stepID) const
{
    const qsizetype at = m_stepIDs.indexOf(stepID);
    return at < 0 ? QString() : m_paths.at(at);
}

void StepDatabaseRegistry::removeAt(int index)
{
    m_databases.removeAt(index);
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
    AppContext* previous = g_appContext;
    g_appContext = context;
    return previous;
}

AppContext* GetAppContext() { return g_appContext; }

CDaoDatabase* GetProjectDatabase() { return g_appContext ? g_appContext->fileSet().projectDatabase : nullptr; }

CDaoDatabase* GetStepDatabase(long stepID)
{
    return g_appContext ? g_appContext->stepDatabases().database(stepID) : nullptr;
}

QString GetStepDBPath(long stepID) { return g_appContext ? g_appContext->stepDatabases().path(stepID) : QString(); }

QString GetProjectFilePath() { return fromFileSet([](ProjectFileSet& f) { return f.projectFilePath; }); }
QString GetProjectDBPath() { return fromFileSet([](ProjectFileSet& f) { return f.projectDBPath; }); }
QString GetProjectDir() { return fromFileSet([](ProjectFileSet& f) { return f.projectDir; }); }
QString GetWorkingCopyDir() { return fromFileSet([](ProjectFileSet& f) { return f.workingCopyDir; }); }
QString GetProjectName() { return fromFileSet([](ProjectFileSet& f) { return f.projectName; }); }
QString GetEquipmentDBPath() { return fromFileSet([](ProjectFileSet& f) { return f.equipmentDBPath; }); }
QString GetMaterialsDBPath() { return fromFileSet([](ProjectFileSet& f) { return f.materialsDBPath; }); }

QString GetQuorvantaTempDir() { return fromPaths([](PathProvider& p) { return p.instanceTempDir(); }); }
QString GetInstallDir() { return fromPaths([](PathProvider& p) { return p.installDir(); }); }
QString GetQuorvantaExePath() { return fromPaths([](PathProvider& p) { return p.exeDir(); }); }

QString GetHelpFileName() { return g_appContext ? g_appContext->helpFileName() : QString(); }

long GetProjectID() { return g_appContext ? g_appContext->fileSet().projectID : -1; }

bool SetProjectModified(bool modified)
{
    if (!g_appContext)
        return false;
    g_appContext->setProjectModified(modified);
    return true;
}
