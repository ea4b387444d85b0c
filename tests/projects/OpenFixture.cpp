#include "OpenFixture.h"

#include "foundation/db/SchemaBuilder.h"

#include <QDir>
#include <QFile>

OpenFixture::OpenFixture()
{
    defaultLanguage = app.fakePaths().languageDir() + "QVEnglish.lng";
    QString error;
    EXPECT_TRUE(CSchemaBuilder::Build(DatabaseKind::Language, defaultLanguage, &error))
        << error.toStdString();
    app.fileSet().defaultLanguageTemplatePath = defaultLanguage;
}

QString OpenFixture::WriteDemo(const QString& folder, const QString& name)
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.name = name;
    const QString path = app.root() + folder + "/";
    CProjectGenerator generator;
    EXPECT_TRUE(generator.Write(spec, path)) << generator.ErrorText().toStdString();
    return path + name + ".prj";
}

bool OpenFixture::OpenGiven(const QString& path)
{
    return manager.OpenProjectByPath(path);
}

QMap<QString, QByteArray> OpenFixture::Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile file(info.filePath());
        files.insert(info.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
}
