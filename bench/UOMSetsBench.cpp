// The unit-of-measure sets dialog on a generated project of 200 steps: Update of a set that 100
// steps show their results in (the save and the marks of those steps), and Delete of a set no step
// uses (the check of every step database and the delete). Goal: each under 150 ms.

#include "RootedAppContext.h"
#include "SessionBenchMain.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "preferences/units/UOMPreferencesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int UOM_BENCH_STEPS = 200;

// Every unit list of the library, each unit its own display text.
class LibraryDisplayLists : public SortServices {
public:
    QStringList GetDisplayVector(const QString& listName) override { return m_lists.value(listName); }
    bool GetDisplayValue(const QString& listName, const QString& key, QString& out) override
    {
        return Find(listName, key, out);
    }
    bool GetKeyValue(const QString& listName, const QString& displayText, QString& out) override
    {
        return Find(listName, displayText, out);
    }
    void Read(CDaoDatabase& project)
    {
        QSqlQuery query = project.Query("SELECT Quantity, Unit FROM TblUnitsLibrary ORDER BY Quantity, RowKey");
        while (query.next())
            m_lists[query.value(0).toString() + "ListData"] << query.value(1).toString();
    }

private:
    bool Find(const QString& listName, const QString& text, QString& out) const
    {
        if (!m_lists.value(listName).contains(text))
            return false;
        out = text;
        return true;
    }
    QHash<QString, QStringList> m_lists;
};

class UOMBenchProject {
public:
    UOMBenchProject() : m_app(m_root.path(), m_root.filePath("instance")) { m_installed.Install<SortServices>(&m_lists); }

    bool Open(QString* error)
    {
        const ProjectSpec spec = CProjectGenerator::SyntheticProject(UOM_BENCH_STEPS, 1);
        const QString folder = m_root.filePath("project") + "/";
        CProjectGenerator generator;
        if (!generator.Write(spec, folder)) {
            *error = generator.ErrorText();
            return false;
        }
        m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        m_app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        for (int i = 0; i < spec.steps.size(); ++i) {
            const long stepID = spec.steps.at(i).stepID;
            const QString path = folder + CProjectGenerator::StepFileName(stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            if (i % 2 == 0)
                database->Execute("UPDATE Step SET OutputUOMSetID = 3");
            m_app.stepDatabases().add(stepID, std::move(database), path);
        }
        m_lists.Read(project());
        AddSet("Pilot"); // id 3
        project().Execute("UPDATE \"PREFER-UnitsOfMeasureSet\" SET InputUOMSetID = 1, OutputUOMSetID = 2");
        return true;
    }
    CDaoDatabase& project() { return *m_app.fileSet().projectDatabase; }
    void AddSet(const QString& name)
    {
        project().Execute("INSERT INTO TblUOMSet (UOMSetName, ReadOnly) VALUES (?, 0)", {name});
        project().Execute("INSERT INTO TblUOMSetDetail (UOMSetID, UOMType, Unit) SELECT "
                          "(SELECT MAX(UOMSetID) FROM TblUOMSet), UOMType, Unit FROM TblUOMSetDetail WHERE UOMSetID = 1");
    }

private:
    QTemporaryDir m_root;
    RootedAppContext m_app;
    LibraryDisplayLists m_lists;
    ServiceInstallations m_installed;
};

std::unique_ptr<CUOMPreferencesDialog> OpenOnSet(const QString& name)
{
    auto dialog = std::make_unique<CUOMPreferencesDialog>();
    dialog->OnInitDialog();
    dialog->setCombo()->setCurrentIndex(dialog->setCombo()->findText(name));
    return dialog;
}

void BM_UOMSetUpdate(benchmark::State& state)
{
    UOMBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    int pass = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = OpenOnSet("Pilot");
        dialog->grid()->SetValueRowCol(1, 2, ++pass % 2 ? "rps" : "rpm");
        state.ResumeTiming();
        dialog->OnUpdate();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}

void BM_UOMSetDelete(benchmark::State& state)
{
    UOMBenchProject project;
    QString error;
    if (!project.Open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        project.AddSet("Unused");
        auto dialog = OpenOnSet("Unused");
        state.ResumeTiming();
        dialog->OnDelete();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_UOMSetUpdate)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UOMSetDelete)->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
