#include "RecordsetFixture.h"

#include "foundation/db/content/ProjectGenerator.h"

void RecordsetFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    CProjectGenerator generator;
    const ProjectSpec demo = CProjectGenerator::DemoProject();
    ASSERT_TRUE(generator.Write(demo, m_dir.path())) << generator.ErrorText().toStdString();
    ProjectFileSet& files = m_app.fileSet();
    files.projectDBPath = pathOf("Demo.prj");
    files.materialsDBPath = pathOf("Demo.mtl");
    files.equipmentDBPath = pathOf("Demo.eqm");
    m_projectDb.Open(files.projectDBPath, DatabaseRole::WorkingCopy);
    m_projectDb.Execute("INSERT INTO \"PREFER-Language\" (RecipeLanguagePath) VALUES ('QVEnglish.lng')");
    m_projectDb.Execute("INSERT INTO \"TempPREFER-Language\" (RecipeLanguagePath) VALUES ('QVGerman.lng')");
    for (const StepSpec& step : demo.steps) {
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(stepPath(step.stepID), DatabaseRole::WorkingCopy);
        m_stepDbs[step.stepID] = database.get();
        const QString path = database->GetName();
        m_app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

QString RecordsetFixture::stepPath(long stepID) const
{
    return pathOf(CProjectGenerator::StepFileName(stepID));
}

QString RecordsetFixture::writeOtherDemo(const QString& folder)
{
    CProjectGenerator generator;
    EXPECT_TRUE(generator.Write(CProjectGenerator::DemoProject(), pathOf(folder)));
    return pathOf(folder + "/Demo.prj");
}

long RecordsetFixture::firstItemID(long stepID, const QString& type) const
{
    return long(scalar(stepPath(stepID),
                       "SELECT ID FROM TextRecipe WHERE Type = ? ORDER BY RecipeSequenceNumber LIMIT 1",
                       {type})
                    .toLongLong());
}
