// Seeded random sequences of user edits through a recipe window, on copies of the sample's steps
// and of a generated 500-line step, each simulated first so that a scaling has a batch size to
// scale; after every edit the step database must be whole (see StepWholeness.h) and the window must
// show what a fresh load shows; after the sequence the step must export and import back to the same
// rows. A failing sequence is shrunk by dropping edits and replaying, and the shortest one that
// still fails is printed. QV_RECIPE_FUZZ_SEEDS=<n> runs n seeds per step instead of the fixed one,
// QV_RECIPE_FUZZ_FIRST_SEED=<k> moves the seeds on by k.

#include "RecipeEditModel.h"
#include "RecipeEditFixture.h"
#include "StepWholeness.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/FavoriteOperations.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/engine/EngineEntry.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "recipe/transitions/TransitionBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>

#include <cmath>
#include <iostream>

namespace {
constexpr long SYNTHETIC_STEP = 2001;

// The lines of the window against the rows a fresh read gives, in order.
QString ViewFault(const CQUORVANTAView& view)
{
    QSqlQuery rows =
        GetStepDatabase(view.stepID())
            ->Query("SELECT ID, coalesce(Label, ''), Indent, Hide, Breakpoint, Type FROM TextRecipe"
                    " ORDER BY RecipeSequenceNumber, RowKey");
    int index = 0;
    for (; rows.next(); ++index) {
        if (index >= view.LineCount())
            return QStringLiteral("the window shows %1 lines, the step has more").arg(view.LineCount());
        const RecipeLineRecord& line = view.Line(index)->line();
        const QString shown = QStringLiteral("%1|%2|%3|%4|%5|%6")
                                  .arg(line.itemID)
                                  .arg(IsKeywordLine(line.kind) ? QString() : line.label)
                                  .arg(line.indent)
                                  .arg(int(line.hidden))
                                  .arg(int(line.breakpoint))
                                  .arg(line.typeText);
        const QString stored = QStringLiteral("%1|%2|%3|%4|%5|%6")
                                   .arg(rows.value(0).toLongLong())
                                   .arg(IsKeywordLine(line.kind) ? QString() : rows.value(1).toString())
                                   .arg(rows.value(2).toInt())
                                   .arg(rows.value(3).toInt())
                                   .arg(rows.value(4).toInt())
                                   .arg(rows.value(5).toString());
        if (shown.compare(stored, Qt::CaseInsensitive) != 0)
            return QStringLiteral("line %1 shows %2, its row holds %3").arg(index).arg(shown, stored);
    }
    return index == view.LineCount()
               ? QString()
               : QStringLiteral("the window shows %1 lines of %2").arg(view.LineCount()).arg(index);
}

// What a fault is without its particulars: the text up to its first colon or digit.
QString FaultKind(const QString& fault)
{
    static const QRegularExpression particulars("[:0-9]");
    const qsizetype end = fault.indexOf(particulars);
    return end < 0 ? fault : fault.left(end);
}

// The set values of the scalable fields in internal units, in field order: a scaling may convert
// the step into a unit set, so the stored numbers may come back in other units.
QList<double> ScalableAmounts(long stepID)
{
    QList<double> amounts;
    QSqlQuery rows = GetStepDatabase(stepID)->Query(
        "SELECT f.DoubleValue, f.UOM FROM TblFieldData f JOIN TblFieldLibrary l USING (FieldTypeID)"
        " WHERE l.Scalable <> 0 AND abs(f.DoubleValue) < 1e34 ORDER BY f.FieldID");
    while (rows.next())
        amounts << UserToInternal(rows.value(1).toString(), rows.value(0).toDouble(), 1.0, 1.0);
    return amounts;
}

QString StepWholeAndShown(const CQUORVANTAView& view)
{
    QString fault = StepWholenessFault(*GetStepDatabase(view.stepID()), view.stepID());
    return fault.isEmpty() ? ViewFault(view) : fault;
}

int SeedsPerStep(int fixed)
{
    const int asked = qEnvironmentVariableIntValue("QV_RECIPE_FUZZ_SEEDS");
    return asked > 0 ? asked : fixed;
}

// QV_RECIPE_FUZZ_FIRST_SEED moves every seed on by that much (parallel runs take other seeds).
quint32 FirstSeed(quint32 fixed)
{
    return fixed + quint32(qEnvironmentVariableIntValue("QV_RECIPE_FUZZ_FIRST_SEED"));
}
} // namespace

class RecipeEditModelTest : public RecipeEditFixture, protected RecipeEditDriver {
protected:
    RecipeEditModelTest() : RecipeEditDriver(installed, dialogs) {}

    // Writes the project afresh into a folder of its own and opens the step in a window.
    CQUORVANTAView& StartRun(const ProjectSpec& spec, long stepID)
    {
        qDeleteAll(host.views);
        host.views.clear();
        app.stepDatabases().clear();
        clipboard.Clear();
        const QString folder = app.root() + QStringLiteral("run%1/").arg(++m_runs);
        CProjectGenerator generator;
        EXPECT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
        m_folder = folder;
        m_name = spec.name;
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        app.fileSet().projectDir = folder;
        app.fileSet().projectDBPath = folder + spec.name + ".prj";
        app.fileSet().equipmentDBPath = folder + spec.name + ".eqm";
        app.fileSet().materialsDBPath = folder + spec.name + ".mtl";
        CloseSharedEquipmentDB(); // this run's copies, not the last run's
        CloseSharedMaterialsDB();
        for (const StepSpec& step : spec.steps) {
            const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            app.stepDatabases().add(step.stepID, std::move(database), path);
        }
        // Simulated, as before a scaling: the run gives the step its batch size.
        Array<TransitionRecord> unitProcedures, operations;
        EXPECT_TRUE(CTransitionBuilder::BuildStepTransitions(stepID, unitProcedures, operations)) << stepID;
        EXPECT_EQ(EngineEntry().simulateBatch(nullptr, stepID), SIMULATION_COMPLETED) << stepID;
        UseFavourites(app.root());
        CQUORVANTAView& view = OpenView(stepID, QSize(640, 600));
        view.move(0, 0);
        QCoreApplication::processEvents();
        return view;
    }

    // The edits from a fresh copy: the index of the first edit after which the step is not whole
    // (edits.size() for the final export and import) and what was found; -1 when all was well.
    // tally, when given, counts each edit and whether it changed the step's rows.
    std::pair<int, QString> Replay(const ProjectSpec& spec, long stepID, const QList<RecipeEdit>& edits,
                                   EditTally* tally = nullptr)
    {
        CQUORVANTAView& view = StartRun(spec, stepID);
        QString content = tally ? ExchangedContent(*GetStepDatabase(stepID)) : QString();
        for (int n = 0; n < edits.size(); ++n) {
            Apply(view, edits[n]);
            QCoreApplication::processEvents(); // removed lines go
            if (tally) {
                QString now = ExchangedContent(*GetStepDatabase(stepID));
                tally->Add(edits[n].kind, now != content);
                content = std::move(now);
            }
            QString fault = StepWholenessFault(*GetStepDatabase(stepID), stepID);
            if (fault.isEmpty())
                fault = ViewFault(view);
            if (fault.isEmpty())
                fault = DanglingConstraint(*GetStepDatabase(stepID));
            if (!fault.isEmpty())
                return {n, fault};
        }
        const QString fault = RoundTripFault(stepID);
        return {fault.isEmpty() ? -1 : int(edits.size()), fault};
    }

    // Export through the step module and import into the process: the same rows come back.
    QString RoundTripFault(long stepID)
    {
        const QString scratch = m_folder + "roundtrip.exs";
        DeleteDatabaseFile(scratch);
        if (!CopyDatabaseFile(GetStepDBPath(stepID), scratch))
            return "the step file could not be copied";
        answers.texts.clear();
        if (!StepUtilsEntry().exportStep(scratch, m_folder + m_name + ".prj", m_folder + m_name + ".eqm",
                                         m_folder + m_name + ".mtl"))
            return "export refused: " + answers.texts.join(" / ");
        if (StepUtilsEntry().importStep(scratch, 1) == 0)
            return "import refused: " + answers.texts.join(" / ");
        CDaoDatabase imported;
        imported.Open(scratch, DatabaseRole::ReadOnly);
        const QString before = ExchangedContent(*GetStepDatabase(stepID));
        const QString after = ExchangedContent(imported);
        if (before == after)
            return {};
        const QStringList a = before.split('\n'), b = after.split('\n');
        for (int n = 0; n < qMin(a.size(), b.size()); ++n) {
            if (a[n] != b[n])
                return "imported back different: " + a[n].left(300) + "  <>  " + b[n].left(300);
        }
        return "imported back with other tables";
    }

    // Drops edits, halves first, then one by one, as long as the sequence still fails the same way.
    QList<RecipeEdit> Shrink(const ProjectSpec& spec, long stepID, QList<RecipeEdit> edits, int failedAt,
                             const QString& kind)
    {
        edits = edits.mid(0, failedAt + 1);
        for (qsizetype chunk = edits.size() / 2; chunk >= 1; chunk /= 2) {
            for (qsizetype from = 0; from < edits.size();) {
                QList<RecipeEdit> fewer = edits;
                fewer.remove(from, qMin(chunk, edits.size() - from));
                const auto [at, fault] = Replay(spec, stepID, fewer);
                if (at >= 0 && FaultKind(fault) == kind)
                    edits = fewer.mid(0, at + 1);
                else
                    from += chunk;
            }
        }
        return edits;
    }

    // Runs each seed's sequence, counting its edits in tally; a failing one is shrunk and reported.
    void RunSeeds(const ProjectSpec& spec, long stepID, quint32 firstSeed, int seeds, int editsPerSeed,
                  EditTally& tally)
    {
        for (int s = 0; s < seeds; ++s) {
            const quint32 seed = firstSeed + quint32(s);
            const QList<RecipeEdit> edits = RandomEdits(seed, editsPerSeed);
            const auto [at, fault] = Replay(spec, stepID, edits, &tally);
            if (at < 0)
                continue;
            const QList<RecipeEdit> shortest =
                Shrink(spec, stepID, edits, qMin(at, int(edits.size()) - 1), FaultKind(fault));
            const auto [shortAt, shortFault] = Replay(spec, stepID, shortest);
            QStringList listing;
            for (const RecipeEdit& edit : shortest)
                listing << "  " + Describe(edit);
            ADD_FAILURE() << "step " << stepID << " seed " << seed << ": after edit " << at << ": "
                          << fault.toStdString() << "\nshortest failing sequence (" << shortest.size()
                          << " edits, then "
                          << (shortAt >= int(shortest.size()) ? "export and import" : "the check")
                          << "): " << shortFault.toStdString() << "\n"
                          << listing.join('\n').toStdString();
        }
    }

    // The edits run and those that changed the step; every kind but Copy must have changed it.
    void ReportEdits(const char* what, const EditTally& tally, qint64 elapsed) const
    {
        std::cout << "[ recipe edits ] " << tally.Attempted() << " edits on " << what << ", "
                  << tally.Effective() << " of them changed the step, in " << elapsed << " ms, "
                  << scaling.scaled << " scalings and undos done, " << constraints.asked
                  << " constraint dialogs shown\n  " << tally.Report().toStdString() << "\n";
        EXPECT_EQ(tally.NeverEffective().join(", ").toStdString(), "") << "kinds of edit that never changed the step";
    }

private:
    int m_runs = 0;
    QString m_folder, m_name;
};

TEST_F(RecipeEditModelTest, EveryDemoStepStaysWholeUnderRandomEdits)
{
    const ProjectSpec demo = CProjectGenerator::DemoProject();
    QElapsedTimer timer;
    timer.start();
    EditTally tally;
    for (const long stepID : {1001L, 1002L, 1003L})
        RunSeeds(demo, stepID, FirstSeed(quint32(stepID) * 1000), SeedsPerStep(1), 200, tally);
    ReportEdits("the sample's steps", tally, timer.elapsed());
}

TEST_F(RecipeEditModelTest, AFiveHundredLineStepStaysWholeUnderRandomEdits)
{
    const ProjectSpec synthetic = CProjectGenerator::SyntheticProject(1, 500);
    QElapsedTimer timer;
    timer.start();
    EditTally tally;
    RunSeeds(synthetic, SYNTHETIC_STEP, FirstSeed(500000), SeedsPerStep(1), 150, tally);
    ReportEdits("the 500-line step", tally, timer.elapsed());
}

// The scaling edits on each Demo step: an undo with nothing to undo is cancelled, scale x2 doubles
// every scalable amount, its undo puts each back; the step stays whole and round-trips throughout.
TEST_F(RecipeEditModelTest, ScaleEditsDoubleADemoStepAndUndoPutsItBack)
{
    const ProjectSpec demo = CProjectGenerator::DemoProject();
    const RecipeEdit undo{EditKind::UndoScaling, 0, 0}, scale{EditKind::Scale, 0, 1u << 16}; // nothing kept
    for (const long stepID : {1001L, 1002L, 1003L}) {
        SCOPED_TRACE(stepID);
        CQUORVANTAView& view = StartRun(demo, stepID);
        const QList<double> original = ScalableAmounts(stepID);
        ASSERT_FALSE(original.isEmpty());
        answers.texts.clear();
        Apply(view, undo);
        EXPECT_EQ(ScalableAmounts(stepID), original);
        EXPECT_EQ(answers.texts, QStringList()); // the button is disabled: the dialog is cancelled

        Apply(view, scale);
        const QList<double> scaled = ScalableAmounts(stepID);
        ASSERT_EQ(scaled.size(), original.size());
        for (qsizetype n = 0; n < original.size(); ++n)
            EXPECT_DOUBLE_EQ(scaled[n], 2 * original[n]) << n;
        EXPECT_EQ(StepWholeAndShown(view), QString());
        EXPECT_EQ(RoundTripFault(stepID), QString());

        Apply(view, undo);
        const QList<double> undone = ScalableAmounts(stepID);
        ASSERT_EQ(undone.size(), original.size());
        for (qsizetype n = 0; n < original.size(); ++n)
            EXPECT_NEAR(undone[n], original[n], 1e-9 * std::abs(original[n])) << n;
        EXPECT_EQ(StepWholeAndShown(view), QString());
        EXPECT_EQ(RoundTripFault(stepID), QString());
    }
    EXPECT_EQ(scaling.dialogs, 9);
    EXPECT_EQ(scaling.scaled, 6);
}
