// The synchronisation run over recording containers: question, list, marks, order, failures; and
// the stamp rule that decides what is out of date.

#include "FakeAppContext.h"
#include "ScriptedLibraryDialogs.h"
#include "ScriptedPrompts.h"
#include "foundation/common/LibraryStampRule.h"
#include "library/UpdateManager.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString QUESTION_3 = "Would you like to syncronize 3 imported component(s) with your database?";
const QString FAILED_HEADER = "The following imported component(s) could not be updated:\n";

// A container that reports a count, collects named items and applies them as told, logging calls.
class RecordingContainer : public IUpdateInfoContainer {
public:
    RecordingContainer(QString kind, int count, QStringList names, QStringList& log, QStringList failing = {})
        : m_kind(std::move(kind)), m_count(count), m_names(std::move(names)), m_log(log), m_failing(std::move(failing))
    {
    }
    const QString& GetKindName() const override { return m_kind; }
    int GetOutOfDateCount() override
    {
        m_log << m_kind + ": count";
        return m_count;
    }
    bool CollectUpdateItems(std::vector<UpdateItem*>& items) override
    {
        m_log << m_kind + ": collect";
        for (const QString& name : m_names) {
            auto* item = new UpdateItem;
            item->owner = this;
            item->serverName = name;
            items.push_back(item);
        }
        return true;
    }
    bool ApplyUpdateItem(UpdateItem* item) override
    {
        m_log << "apply " + item->serverName;
        return !m_failing.contains(item->serverName);
    }

private:
    QString m_kind;
    int m_count;
    QStringList m_names;
    QStringList& m_log;
    QStringList m_failing;
};

class UpdateManagerTest : public ::testing::Test {
protected:
    void Run(int materialCount, int equipmentCount, QStringList failing = {})
    {
        CUpdateManager manager;
        manager.AddContainer(std::make_unique<RecordingContainer>("Material", materialCount,
                                                                  QStringList{"Methanol", "Wash Solvent"}, log, failing));
        manager.AddContainer(
            std::make_unique<RecordingContainer>("Equipment", equipmentCount, QStringList{"R-101"}, log, failing));
        manager.Run();
    }
    QStringList Applied() const { return log.filter(QRegularExpression("^apply ")); }

    FakeAppContext app;
    ScriptedPromptService prompts;
    ScriptedLibraryDialogs dialogs;
    QStringList log;
};

TEST_F(UpdateManagerTest, YesListsEveryItemMaterialsFirstAndAppliesTheMarkedOnesInOrder)
{
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{true, false, true});
    Run(2, 1);
    EXPECT_EQ(prompts.texts(), QStringList{QUESTION_3});
    EXPECT_EQ(dialogs.lists(), (QList<QStringList>{{"Methanol", "Wash Solvent", "R-101"}}));
    EXPECT_EQ(dialogs.kinds(), QStringList{"Test"});
    EXPECT_EQ(log, (QStringList{"Material: count", "Equipment: count", "Material: collect", "Equipment: collect",
                                "apply Methanol", "apply R-101"}));
}

TEST_F(UpdateManagerTest, NoCollectsAndAppliesNothing)
{
    prompts.expect(IDNO);
    Run(2, 1);
    EXPECT_EQ(log, (QStringList{"Material: count", "Equipment: count"}));
    EXPECT_TRUE(dialogs.lists().isEmpty());
}

// Counts of 0 ask nothing, yet the collection runs and its items are listed.
TEST_F(UpdateManagerTest, ZeroCountsStillCollectAndListWithoutAQuestion)
{
    dialogs.expectList(std::vector<bool>{false, false, true});
    Run(0, 0);
    EXPECT_TRUE(prompts.texts().isEmpty());
    EXPECT_EQ(Applied(), QStringList{"apply R-101"});
}

// Esc or the close box hands back no marks: nothing is applied.
TEST_F(UpdateManagerTest, ListClosedWithoutOKAppliesNothing)
{
    prompts.expect(IDYES);
    dialogs.expectList(std::nullopt);
    Run(2, 1);
    EXPECT_TRUE(Applied().isEmpty());
}

TEST_F(UpdateManagerTest, FailedAppliesAreListedAfterTheWalkWhichGoesOn)
{
    prompts.expect(IDYES);
    dialogs.expectList(std::vector<bool>{true, true, true});
    prompts.expect(IDOK);
    Run(2, 1, {"Methanol", "R-101"});
    EXPECT_EQ(Applied(), (QStringList{"apply Methanol", "apply Wash Solvent", "apply R-101"}));
    EXPECT_EQ(prompts.lastText(), FAILED_HEADER + "Methanol\nR-101");
}

TEST_F(UpdateManagerTest, NothingCollectedShowsNoList)
{
    CUpdateManager manager;
    manager.AddContainer(std::make_unique<RecordingContainer>("Material", 0, QStringList{}, log));
    manager.Run();
    EXPECT_EQ(log, (QStringList{"Material: count", "Material: collect"}));
}

// Hidden automation: the question answers its default (Yes), the list is unseen, nothing applied.
TEST_F(UpdateManagerTest, UnseenListUnderAutomationAppliesNothing)
{
    AutomationPromptService automation;
    ScopedPromptService installed(&automation);
    Run(2, 1);
    EXPECT_EQ(automation.lastText(), QUESTION_3);
    EXPECT_TRUE(dialogs.lists().isEmpty());
    EXPECT_TRUE(Applied().isEmpty());
}

struct StampCase {
    const char* name;
    std::optional<double> local;
    std::optional<double> server;
    bool equal;
};

constexpr double SECOND = 1.0 / 86400;

class LibraryStampRuleTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(LibraryStampRuleTest, DecidesWhetherAnImportIsCurrent)
{
    const StampCase& c = GetParam();
    EXPECT_EQ(LibraryStampsEqual(c.local, c.server), c.equal);
    EXPECT_EQ(LibraryStampsEqual(c.server, c.local), c.equal);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, LibraryStampRuleTest,
    ::testing::Values(StampCase{"Same", 46100.5, 46100.5, true},
                      StampCase{"JustBelowHalfASecond", 46100.5, 46100.5 + 0.499 * SECOND, true},
                      StampCase{"ExactlyHalfASecond", 46100.5, 46100.5 + 0.5 * SECOND, false},
                      StampCase{"ThreeQuartersOfASecond", 46100.5, 46100.5 + 0.75 * SECOND, false},
                      StampCase{"BothNull", std::nullopt, std::nullopt, true},
                      StampCase{"OneNull", std::nullopt, 46100.5, false},
                      StampCase{"OneInvalid", 1e9, 46100.5, false},
                      StampCase{"BothInvalid", 1e9, 1e9, false},
                      // -1.25 is 1899-12-29 06:00 and -1.75 18:00 of that day; -1.2500001 is a
                      // hair after 06:00, though smaller as a raw number.
                      StampCase{"BeforeTheEpochHoursApart", -1.25, -1.75, false},
                      StampCase{"BeforeTheEpochWithinHalfASecond", -1.25, -1.25 - 0.3 * SECOND, true},
                      StampCase{"DayZeroBelowNoughtCountsForward", 0.0 + 0.2 * SECOND, -0.0 - 0.3 * SECOND, true}),
    [](const ::testing::TestParamInfo<StampCase>& info) { return std::string(info.param.name); });

TEST(LibraryStampFormat, ShowsTheStampWithoutAZoneEmptyForNullAndInvalidOutsideTheYears)
{
    EXPECT_EQ(FormatLibraryStamp(46100.5), "12:00:00  March 19, 2026");
    EXPECT_EQ(FormatLibraryStamp(-1.25), "06:00:00  December 29, 1899");
    EXPECT_EQ(FormatLibraryStamp(std::nullopt), "");
    EXPECT_EQ(FormatLibraryStamp(1e9), "Invalid DateTime");
}

} // namespace
