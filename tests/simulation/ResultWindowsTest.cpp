// Steps marked for a new run after a calendar, facility or unit-set change, through the frame's
// batch driver to the engine; and the open schedule and 3-D windows re-read or retitled.

#include "BatchSimulationFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "results/ResultWindowDocument.h"
#include "results/ResultWindows.h"
#include "simulation/SimulationWindows.h"

#include <QWidget>

namespace {

class ResimulationMarksTest : public BatchSimulationFixture {
protected:
    ResimulationMarksTest()
    {
        OpenDemo();
        frame.engine = &engine;
        installed.Install<ResultWindowServices>(&windows);
        for (long step : ProjectStepIDs()) { // the project's START step has no file
            if (GetStepDatabase(step))
                steps << step;
        }
        // Plant 1 keeps calendar 7, plant 2 has calendar 8; the first step stands in plant 2, the
        // second has output unit set 5, the third has lost its Step row.
        for (long step : steps)
            ExecuteStep("UPDATE Step SET PlantID = 1, OutputUOMSetID = 4", {}, step);
        ExecuteStep("UPDATE Step SET PlantID = 2", {}, steps.at(0));
        ExecuteStep("UPDATE Step SET OutputUOMSetID = 5", {}, steps.at(1));
        ExecuteStep("DELETE FROM Step", {}, steps.at(2));
        CDaoDatabase* equipment = GetSharedEquipmentDB();
        equipment->Execute("UPDATE Plant SET CalendarID = 7 WHERE PlantID = 1");
        equipment->Execute("INSERT INTO Plant (PlantID, PlantName, CalendarID) VALUES (2, 'Second Plant', 8)");
    }
    // The steps the engine was told to simulate again.
    QList<long> ResetSteps() const
    {
        QList<long> reset;
        for (const QString& call : engine.calls) {
            EXPECT_TRUE(call.startsWith("reset ") && call.endsWith(" SimulateOnly")) << call.toStdString();
            reset << call.section(' ', 1, 1).toLong();
        }
        return reset;
    }

    ScriptedEngine engine;
    CBatchSimulation batch;
    CSimulationWindows windows{batch};
    QList<long> steps;
};

struct MarkCase {
    const char* name;
    int what;
    long id;
    QList<int> marked; // places among the steps with a file; -1 for every one after the first three
};

class ResimulationMarkTest : public ResimulationMarksTest, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(ResimulationMarkTest, MarksExactlyTheTouchedSteps)
{
    ASSERT_GE(steps.size(), 4);
    const MarkCase& c = GetParam();
    QList<long> expected;
    for (int place : c.marked) {
        if (place != -1)
            expected << steps.at(place);
        for (int i = 3; place == -1 && i < steps.size(); ++i)
            expected << steps.at(i);
    }
    MarkStepsForResimulation(c.what, c.id);
    EXPECT_EQ(ResetSteps(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, ResimulationMarkTest,
    ::testing::Values(MarkCase{"FacilityOfOneStep", RESIM_FACILITY, 2, {0}},
                      MarkCase{"FacilityOfTheOthers", RESIM_FACILITY, 1, {1, -1}},
                      MarkCase{"UnusedFacility", RESIM_FACILITY, 3, {}},
                      MarkCase{"UnitSetOfOneStep", RESIM_UNIT_SET, 5, {1}},
                      MarkCase{"UnitSetOfTheOthers", RESIM_UNIT_SET, 4, {0, -1}},
                      MarkCase{"UnusedUnitSet", RESIM_UNIT_SET, 6, {}},
                      MarkCase{"CalendarOfTheSecondPlant", RESIM_CALENDAR, 8, {0}},
                      MarkCase{"CalendarOfTheFirstPlant", RESIM_CALENDAR, 7, {1, -1}},
                      MarkCase{"CalendarOfNoPlant", RESIM_CALENDAR, 9, {}},
                      MarkCase{"UnknownCause", 4, 1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResimulationMarksTest, ResettingEveryStepGoesInProjectOrderWithTheModeUnchanged)
{
    ResetStepSimulation(-1, "SimulateOnly");
    EXPECT_EQ(ResetSteps(), ProjectStepIDs());
}

// An open schedule or 3-D window as the refresh sees it.
class FakeResultWindow : public QWidget, public ResultWindowDocument {
public:
    FakeResultWindow(const QString& file, const QString& prefix) : m_file(file), m_prefix(prefix) {}
    QString ResultsFileName() const override { return m_file; }
    void Initialize(const QString& projectDir, const QString& resultsFile, const QString& installDir) override
    {
        calls << "init " + projectDir + " " + resultsFile + " " + installDir;
    }
    QString TitlePrefix() const override { return m_prefix; }
    void SetTitles(const QString& longTitle, const QString& shortTitle) override
    {
        calls << "titles " + longTitle + " | " + shortTitle;
    }
    QStringList calls;

private:
    QString m_file;
    QString m_prefix;
};

class RefreshResultWindowsTest : public BatchSimulationFixture {
protected:
    RefreshResultWindowsTest() { OpenDemo(); }
    FakeResultWindow* Host(DocumentKind kind, long id, const QString& file)
    {
        const QString prefix = kind == DocumentKind::Facility3D ? "3D: " : "Schedule: ";
        auto* window = new FakeResultWindow(file, prefix);
        frame.windows.insert({int(kind), id}, window);
        return window;
    }
};

TEST_F(RefreshResultWindowsTest, AnEmptyNameRereadsOnlyTheWindowsOfThoseResults)
{
    FakeResultWindow* gantt = Host(DocumentKind::Gantt, 12, "QVSTEP_12.mdb");
    FakeResultWindow* threeD = Host(DocumentKind::Facility3D, 12, "QVSTEP_12.mdb");
    FakeResultWindow* longerID = Host(DocumentKind::Gantt, 120, "QVSTEP_120.mdb");
    FakeResultWindow* process = Host(DocumentKind::Gantt, 13, "QVPROC_12.mdb");
    FakeResultWindow* html = Host(DocumentKind::HtmlView, 12, "QVSTEP_12.mdb");
    RefreshResultWindows("QVSTEP", 12, QString());
    const QString init = "init " + folder + " QVSTEP_12.mdb " + app.root() + "install/";
    EXPECT_EQ(gantt->calls, QStringList{init});
    EXPECT_EQ(threeD->calls, QStringList{init});
    EXPECT_TRUE(longerID->calls.isEmpty());
    EXPECT_TRUE(process->calls.isEmpty());
    EXPECT_TRUE(html->calls.isEmpty());
}

struct TitleCase {
    const char* name;
    DocumentKind kind;
    const char* file;
    const char* resultKind;
    long id;
    const char* titles; // empty: untouched
};

class ResultTitleTest : public RefreshResultWindowsTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(ResultTitleTest, ANameRetitlesTheWindow)
{
    const TitleCase& c = GetParam();
    FakeResultWindow* window = Host(c.kind, c.id, c.file);
    RefreshResultWindows(c.resultKind, c.id, "Route A (2.0)");
    EXPECT_EQ(window->calls.join(""), c.titles);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ResultTitleTest,
    ::testing::Values(TitleCase{"StepSchedule", DocumentKind::Gantt, "QVSTEP_4.mdb", "QVSTEP", 4,
                                "titles Schedule: Route A (2.0) | Schedule"},
                      TitleCase{"Process3D", DocumentKind::Facility3D, "QVPROC_7.mdb", "QVPROC", 7,
                                "titles 3D: Process - Route A (2.0) | 3D"},
                      TitleCase{"PlanSchedule", DocumentKind::Gantt, "QVPLAN_3.mdb", "QVPLAN", 3,
                                "titles Schedule: Plan - Route A (2.0) | Schedule"},
                      TitleCase{"OtherKind", DocumentKind::Gantt, "QVPLAN_3.mdb", "QVPROC", 3, ""},
                      TitleCase{"OtherID", DocumentKind::Facility3D, "QVPROC_7.mdb", "QVPROC", 71, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
