#include "SampleFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

namespace {

QVariant FirstValue(CDaoDatabase* database, const QString& sql, const QVariantList& values)
{
    if (!database)
        return {};
    QSqlQuery query = database->Query(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

} // namespace

void SampleFixture::SetUp()
{
    const QString language = app.fakePaths().languageDir() + "QVEnglish.lng";
    QString error;
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Language, language, &error)) << error.toStdString();
    app.fileSet().defaultLanguageTemplatePath = language;
    folder = app.root() + "projects/Demo/";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString sample = QStringLiteral(QV_DATA_DIR) + "/Samples/Demo/";
    const QStringList files = QDir(sample).entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << sample.toStdString();
    for (const QString& name : files)
        ASSERT_TRUE(QFile::copy(sample + name, folder + name)) << name.toStdString();
    ASSERT_TRUE(manager.OpenProjectByPath(folder + "Demo.prj"));
}

SampleFixture::~SampleFixture()
{
    CloseSharedEquipmentDB();
}

QVariant SampleFixture::StepValue(long stepID, const QString& sql, const QVariantList& values) const
{
    return FirstValue(GetStepDatabase(stepID), sql, values);
}

QVariant SampleFixture::ProjectValue(const QString& sql, const QVariantList& values) const
{
    return FirstValue(app.fileSet().projectDatabase.get(), sql, values);
}

QVariant SampleFixture::MaterialValue(const QString& sql, const QVariantList& values) const
{
    CDaoDatabase materials;
    materials.Open(app.fileSet().materialsDBPath, DatabaseRole::ReadOnly);
    return FirstValue(&materials, sql, values);
}
