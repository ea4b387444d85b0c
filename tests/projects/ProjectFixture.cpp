#include "ProjectFixture.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"

#include <QDir>

void ProjectFixture::WriteProject(const ProjectSpec& spec)
{
    m_name = spec.name;
    m_projectDir = app.root() + "projects/" + spec.name + "/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, m_projectDir)) << generator.ErrorText().toStdString();
}

void ProjectFixture::OpenProject(const ProjectSpec& spec)
{
    WriteProject(spec);
    ReopenProject();
}

void ProjectFixture::ReopenProject()
{
    ProjectFileSet& files = app.fileSet();
    const QString base = workingDir() + m_name;
    files.projectFilePath = projectPath(".prj");
    files.projectDir = m_projectDir;
    files.projectName = m_name;
    files.workingCopyDir = workingDir();
    files.projectDBPath = base + ".wc";
    files.equipmentDBPath = base + ".ewc";
    files.materialsDBPath = base + ".mwc";
    files.previousProjectDBPath = files.projectDBPath;
    files.previousEquipmentDBPath = files.equipmentDBPath;
    files.previousMaterialsDBPath = files.materialsDBPath;
    files.previousWorkingCopyDir = workingDir();
    files.previousProjectName = m_name;
    ASSERT_TRUE(CopyDatabaseFile(projectPath(".prj"), files.projectDBPath));
    ASSERT_TRUE(CopyDatabaseFile(projectPath(".eqm"), files.equipmentDBPath));
    ASSERT_TRUE(CopyDatabaseFile(projectPath(".mtl"), files.materialsDBPath));
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(files.projectDBPath, DatabaseRole::WorkingCopy);
    QString error;
    ASSERT_TRUE(manager.OpenStepDatabases(error, QString()));
    ASSERT_TRUE(manager.WriteInUseMarker(m_projectDir));
    frame.projectOpen = true;
}

void ProjectFixture::EditProject(const QString& sql)
{
    app.fileSet().projectDatabase->Execute(sql);
    app.setProjectModified(true);
}

void ProjectFixture::EditStep(long stepID, const QString& sql)
{
    GetStepDatabase(stepID)->Execute(sql);
    app.setProjectModified(true);
}

QStringList ProjectFixture::WorkingCopiesLeft() const
{
    return QDir(workingDir()).entryList({"*.wc", "*.ewc", "*.mwc", "*-wal", "*-shm"}, QDir::Files);
}
