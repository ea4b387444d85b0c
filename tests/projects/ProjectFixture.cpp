#include "ProjectFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QDir>
#include <QFile>

ProjectFixture::ProjectFixture()
{
    defaultLanguage = app.fakePaths().languageDir() + "QVEnglish.lng";
    QString error;
    EXPECT_TRUE(CSchemaBuilder::Build(DatabaseKind::Language, defaultLanguage, &error))
        << error.toStdString();
    app.fileSet().defaultLanguageTemplatePath = defaultLanguage;
}

QString ProjectFixture::WriteDemo(const QString& name, const QString& folder)
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.name = name;
    return WriteProject(spec, folder);
}

QString ProjectFixture::WriteProject(const ProjectSpec& spec, const QString& folder)
{
    const QString& name = m_name = spec.name;
    m_projectDir = app.root() + (folder.isEmpty() ? "projects/" + name : folder) + "/";
    CProjectGenerator generator;
    EXPECT_TRUE(generator.Write(spec, m_projectDir)) << generator.ErrorText().toStdString();
    return projectPath(".prj");
}

void ProjectFixture::ReopenProject()
{
    ProjectFileSet& files = app.fileSet();
    const QString base = instanceDir() + m_name;
    files.projectFilePath = projectPath(".prj");
    files.projectDir = m_projectDir;
    files.projectName = m_name;
    files.workingCopyDir = instanceDir();
    std::tie(files.projectDBPath, files.equipmentDBPath, files.materialsDBPath) =
        std::tuple(base + ".wc", base + ".ewc", base + ".mwc");
    std::tie(files.previousProjectDBPath, files.previousEquipmentDBPath, files.previousMaterialsDBPath) =
        std::tie(files.projectDBPath, files.equipmentDBPath, files.materialsDBPath);
    files.previousWorkingCopyDir = instanceDir();
    files.previousProjectName = m_name;
    ASSERT_TRUE(CopyDatabaseFile(projectPath(".prj"), files.projectDBPath));
    ASSERT_TRUE(CopyDatabaseFile(projectPath(".eqm"), files.equipmentDBPath));
    ASSERT_TRUE(CopyDatabaseFile(projectPath(".mtl"), files.materialsDBPath));
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(files.projectDBPath, DatabaseRole::WorkingCopy);
    QString error;
    ASSERT_TRUE(manager.OpenStepDatabases(error, QString()));
    ASSERT_TRUE(manager.InUseMarker().WriteInUseMarker(m_projectDir));
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

QMap<QString, QByteArray> ProjectFixture::Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        files.insert(info.fileName(), FileBytes(info.filePath()));
    return files;
}
