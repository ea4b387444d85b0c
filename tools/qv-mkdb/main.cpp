// qv-mkdb: builds the install data from schema/ (blank template, language databases, regulatory
// categories library, Demo and LibraryDemo samples, and Demo2 beside Demo; the samples with the
// transitions their runs build)
// and synthetic projects for benchmarks.
//
//   qv-mkdb data <data folder>
//   qv-mkdb synth <folder> <steps> <lines per step>

#include "SampleTransitions.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/content/LibraryDemo.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/content/RegulatoryLibrary.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

int Fail(const QString& message)
{
    QTextStream(stderr) << "qv-mkdb: " << message << Qt::endl;
    return 1;
}

// Removes earlier output so the builders (which never overwrite) can write it again.
bool RemoveOldFiles(const QString& folder, const QStringList& patterns)
{
    QDir dir(folder);
    const QStringList names = dir.entryList(patterns, QDir::Files);
    for (const QString& name : names) {
        if (!dir.remove(name))
            return false;
    }
    return true;
}

// The sample's production plans: a weekly plan reported in SI units with a process and a step
// requirement, and a spare one whose unit set was deleted, so a script sees both a set and none.
bool AddDemoPlans(const QString& projectFile, QString* error)
{
    try {
        CDaoDatabase project;
        project.Open(projectFile);
        project.BeginTrans();
        project.Execute(
            QStringLiteral("INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime, OutputUOMSetID) "
                           "VALUES (1, 'Weekly', 46027.25, 1), (2, 'Spare', NULL, 999)"));
        project.Execute(QStringLiteral(
            "INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
            "SELECT PlanID, (SELECT MIN(ProjectID) FROM Project), PlanName FROM ProductionPlan"));
        // The weekly plan asks for the free base and for the milled salt by weight.
        project.Execute(
            QStringLiteral("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, "
                           "QuantityUOM, FirstBatchOverlap, IntraCampaignBatchOverlap) VALUES "
                           "(1, 1, 'process', 500, 'kg', 0, 1), (1, 1005, 'step', 150, 'kg', 0, 1)"));
        project.CommitTrans();
        return true;
    } catch (const CDaoException& e) {
        *error = e.GetErrorDescription();
        return false;
    }
}

// The German recipe language: the English database with its language name and words translated.
bool BuildGermanLanguage(const QString& path, QString* error)
{
    if (!CSchemaBuilder::Build(DatabaseKind::Language, path, error))
        return false;
    try {
        CDaoDatabase language;
        language.Open(path);
        language.BeginTrans();
        language.Execute(QStringLiteral("UPDATE LanguageInfo SET LanguageName = 'Deutsch'"));
        language.Execute(QStringLiteral(
            "UPDATE RecipeTextWord SET WordText = CASE WordKey WHEN 'Unit Procedure' THEN 'Teilprozedur' "
            "WHEN 'Operation' THEN 'Operation' WHEN 'Start Parallel' THEN 'Parallel Anfang' "
            "WHEN 'End Parallel' THEN 'Parallel Ende' WHEN 'Start Or' THEN 'Oder Anfang' WHEN 'End Or' THEN "
            "'Oder Ende' "
            "WHEN 'Series' THEN 'Serie' WHEN 'Not Set' THEN 'nicht gesetzt' WHEN 'Ranges' THEN 'Bereiche' "
            "WHEN 'To' THEN 'bis' WHEN 'Out Of Step' THEN 'aus dem Schritt' WHEN 'Or' THEN 'oder' "
            "WHEN 'And' THEN 'und' ELSE WordText END"));
        language.CommitTrans();
        return true;
    } catch (const CDaoException& e) {
        *error = e.GetErrorDescription();
        return false;
    }
}

// Writes the sample and the transitions its runs would have built.
bool WriteSample(const ProjectSpec& spec, const QString& folder, QString* error)
{
    CProjectGenerator generator;
    if (!generator.Write(spec, folder)) {
        *error = generator.ErrorText();
        return false;
    }
    QList<long> steps, processes;
    for (const StepSpec& step : spec.steps)
        steps.append(step.stepID);
    for (const ProcessSpec& process : spec.processes)
        processes.append(process.processID);
    if (!BuildSampleTransitions(folder, spec.name, steps, processes, error))
        return false;
    if (!generator.WriteTransferTexts(spec, folder)) { // a transfer names where it goes by the transitions
        *error = generator.ErrorText();
        return false;
    }
    return true;
}

int BuildLibraryDemo(const QString& folder)
{
    if (!QDir().mkpath(folder + QStringLiteral("/Libraries")) ||
        !RemoveOldFiles(folder, {QStringLiteral("LibraryDemo.*"), QStringLiteral("STEP_*")}) ||
        !RemoveOldFiles(folder + QStringLiteral("/Libraries"), {QStringLiteral("*")}))
        return Fail(QStringLiteral("cannot remove the old files under %1").arg(folder));
    CLibraryDemo writer;
    if (!writer.Write(folder))
        return Fail(writer.ErrorText());
    return 0;
}

int BuildData(const QString& dataDir)
{
    const QString templates = dataDir + QStringLiteral("/Templates/Projects/Standard");
    const QString language = dataDir + QStringLiteral("/Language");
    const QString demo = dataDir + QStringLiteral("/Samples/Demo");
    if (!QDir().mkpath(templates) || !QDir().mkpath(language) || !QDir().mkpath(demo))
        return Fail(QStringLiteral("cannot create the folders under %1").arg(dataDir));
    if (!RemoveOldFiles(templates, {QStringLiteral("Blank.*")}) ||
        !RemoveOldFiles(language, {QStringLiteral("QVEnglish.lng*"), QStringLiteral("QVDeutsch.lng*")}) ||
        !RemoveOldFiles(demo, {QStringLiteral("Demo.*"), QStringLiteral("STEP_*")}))
        return Fail(QStringLiteral("cannot remove the old files under %1").arg(dataDir));
    CProjectGenerator generator;
    if (!generator.WriteBlankTemplate(templates, QStringLiteral("Blank")))
        return Fail(generator.ErrorText());
    QString error;
    if (!CSchemaBuilder::Build(DatabaseKind::Language, language + QStringLiteral("/QVEnglish.lng"), &error) ||
        !BuildGermanLanguage(language + QStringLiteral("/QVDeutsch.lng"), &error))
        return Fail(error);
    if (!BuildRegulatoryLibrary(dataDir + QStringLiteral("/") + QLatin1String(REGULATORY_LIBRARY_FILE),
                                &error))
        return Fail(error);
    if (!WriteSample(CProjectGenerator::DemoProject(), demo, &error) ||
        !AddDemoPlans(demo + QStringLiteral("/Demo.prj"), &error))
        return Fail(error);
    const QString demo2 = dataDir + QStringLiteral("/Samples/Demo2");
    if (!QDir().mkpath(demo2) ||
        !RemoveOldFiles(demo2, {QStringLiteral("Demo2.*"), QStringLiteral("STEP_*")}))
        return Fail(QStringLiteral("cannot remove the old files under %1").arg(demo2));
    if (!WriteSample(CProjectGenerator::Demo2Project(), demo2, &error))
        return Fail(error);
    return BuildLibraryDemo(dataDir + QStringLiteral("/Samples/LibraryDemo"));
}

int BuildSynthetic(const QStringList& args)
{
    bool stepsOk = false;
    bool linesOk = false;
    const int steps = args.value(3).toInt(&stepsOk);
    const int lines = args.value(4).toInt(&linesOk);
    if (args.size() != 5 || !stepsOk || !linesOk || steps < 1 || lines < 1)
        return Fail(QStringLiteral("usage: qv-mkdb synth <folder> <steps> <lines per step>"));
    CProjectGenerator generator;
    if (!generator.Write(CProjectGenerator::SyntheticProject(steps, lines), args.at(2)))
        return Fail(generator.ErrorText());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("data"))
        return BuildData(args.at(2));
    if (args.value(1) == QLatin1String("synth"))
        return BuildSynthetic(args);
    return Fail(
        QStringLiteral("usage: qv-mkdb data <data folder> | synth <folder> <steps> <lines per step>"));
}
