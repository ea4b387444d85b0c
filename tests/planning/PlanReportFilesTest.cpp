// The plan report files byte for byte: the product-factor report and the plan sequence file in the
// project folder, under any numeric locale, and a folder standing where a file should go.

#include "planning/PlanReportFiles.h"
#include "CommaDecimalNumerics.h"

#include "RootedAppContext.h"
#include "ScriptedPrompts.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

const char* const kSmiley = "\xF0\x9F\x98\x80"; // U+1F600, a surrogate pair in UTF-16

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// The bytes a report file holds for a text: the byte-order mark and little-endian UTF-16 units.
QByteArray ReportBytes(const char* utf8)
{
    const QString text = QChar(0xFEFF) + Utf8(utf8);
    QByteArray bytes;
    for (const QChar unit : text) {
        const quint16 le = qToLittleEndian(unit.unicode());
        bytes.append(reinterpret_cast<const char*>(&le), 2);
    }
    return bytes;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

PlanReportStep KeyLinesStep(const char* name, double batchSize, int batches, const char* in, double inMW,
                            double inFactor, const char* out, double outMW)
{
    PlanReportStep step;
    step.StepName = Utf8(name);
    step.BatchSize = batchSize;
    step.NumberOfBatches = batches;
    step.KeyInputName = Utf8(in);
    step.KeyInputMW = inMW;
    step.KeyInputFactor = inFactor;
    step.KeyOutputName = Utf8(out);
    step.KeyOutputMW = outMW;
    return step;
}

PlanReportStep CleaningStep(const char* name, int batches)
{
    PlanReportStep step;
    step.StepName = Utf8(name);
    step.NumberOfBatches = batches;
    step.CleaningFlag = true;
    return step;
}

// Every intermediate but the third input; a long name and a name with a surrogate pair.
PlanReportStep CouplingStep()
{
    PlanReportStep step = KeyLinesStep("Coupling", 2.5, 2, "Aminopyrazole", 60, 1.5, "Celvarin base", 100);
    step.Input2ID = 12;
    step.Input2Name = Utf8("Sodium hydrogen carbonate solution");
    step.Input2MW = 84;
    step.Input2Factor = 0.25;
    step.Input3Name = Utf8("never printed");
    step.Output2ID = 13;
    step.Output2Name = Utf8("Water");
    step.Output2MW = 18.02;
    step.Output2Factor = 2;
    step.Output3ID = 14;
    step.Output3Name = Utf8("R\xC3\xA9sidu ") + Utf8(kSmiley) + Utf8(" sel");
    step.Output3MW = 40;
    step.Output3Factor = 0.1;
    return step;
}

// A process with its batch counts, a cleaning step, a step with key lines only and one without
// batches.
PlanReportRequirement ProcessRequirement()
{
    PlanReportRequirement r;
    r.Kind = "process";
    r.RequiredAmount = 4;
    r.MolecularWeight = 250;
    r.ProductName = "Celvarin API";
    r.ProcessName = "Pyrazole Route";
    r.ProcessVersionName = "v2";
    r.Items = {CouplingStep(), CleaningStep("Wash cycle", 1),
               KeyLinesStep("Drying of crystalline celvarin base", 4, 1, "Celvarin base", 100, 1.25,
                            "Celvarin API", 125),
               KeyLinesStep("Unused milling", 1, 0, "x", 1, 1, "y", 1)};
    return r;
}

PlanReportRequirement StepRequirement(const char* kind, PlanReportStep step, double amount)
{
    PlanReportRequirement r;
    r.Kind = kind;
    r.RequiredAmount = amount;
    r.MolecularWeight = 1;
    r.ProductName = "Celvarin API";
    r.StepName = step.StepName;
    r.StepVersionName = "1.0";
    r.Items = {step};
    return r;
}

QList<PlanReportRequirement> PlanRequirements()
{
    return {
        ProcessRequirement(), StepRequirement("step", KeyLinesStep("Polishing", 10, 0, "a", 1, 1, "b", 1), 0),
        StepRequirement(
            "step", KeyLinesStep("Crystallisation", 200, 3, "Crude celvarin", 1, 1, "Celvarin API", 1), 600),
        StepRequirement("step", CleaningStep("Vessel rinse", 2), 2)};
}

// clang-format off
const char* const kFactorReport =
    "\r\n\r\n"
    "             Tamro Plenthover Product Factors\r\n"
    "\r\n\r\n"
    "This report provides product factors and batch sizes for the\r\n"
    "Steps in each Process that is simulated in the Plan.\r\n"
    "\r\n"
    "_________________________________________________________________\r\n"
    "Plan Quantity:\r\n"
    "1000 kg of Celvarin API via Process Pyrazole Route (version: v2)\r\n"
    "\r\n"
    "    Required Steps:\r\n"
    "                                             product    plan\r\n"
    "                                             factor    amount\r\n"
    "      Step: Coupling\r\n"
    "        Batch Size: 250 kg\r\n"
    "        2 batches\r\n"
    "        Key Input:  " "Aminopyrazole          " "     0.9" "       450" " kg\r\n"
    "        2nd Input:  " "Sodium hydrogen carbonate solution" "    0.21" "       105" " kg\r\n"
    "        Key Output: " "Celvarin base          " "       1" "       500" " kg\r\n"
    "        2nd Output: " "Water                  " "  0.3604" "     180.2" " kg\r\n"
    "        3rd Output: " "R\xC3\xA9sidu \xF0\x9F\x98\x80 sel          " "    0.04" "        20" " kg\r\n"
    "\r\n"
    "      Step: Wash cycle\r\n"
    "        1 batches\r\n"
    "\n"
    "      Step: Drying of crystalline celvarin base\r\n"
    "        Batch Size: 500 kg\r\n"
    "        1 batches\r\n"
    "        Key Input:  " "Celvarin base          " "       1" "       500" " kg\r\n"
    "        Key Output: " "Celvarin API           " "       1" "       500" " kg\r\n"
    "\r\n"
    "\r\n"
    "_________________________________________________________________\r\n"
    "Plan Quantity:\r\n"
    "600 kg of Celvarin API via Step Crystallisation (version: 1.0)\r\n"
    "\r\n"
    "    Required Steps:\r\n"
    "                                             product    plan\r\n"
    "                                             factor    amount\r\n"
    "      Step: Crystallisation\r\n"
    "        Batch Size: 200 kg\r\n"
    "        3 batches\r\n"
    "        Key Input:  " "Crude celvarin         " "       1" "       600" " kg\r\n"
    "        Key Output: " "Celvarin API           " "       1" "       600" " kg\r\n"
    "\r\n"
    "\r\n"
    "_________________________________________________________________\r\n"
    "Plan Quantity:\r\n"
    "2 batches of Step Vessel rinse (version: 1.0)\r\n"
    "      Step: Vessel rinse\r\n"
    "        2 batches\r\n"
    "\n"
    "\r\n";
// clang-format on

PlanSequenceRow SequenceRow(bool stepFound, const QString& step, const char* version, bool overlap,
                            const char* plant)
{
    return {stepFound, step, Utf8(version), overlap, Utf8(plant)};
}

// Rows whose step or facility is gone print an empty field, not the line above's.
QList<PlanSequenceRow> SequenceRows()
{
    return {SequenceRow(true, "Coupling", "v2", true, "Reactor hall 1"),
            SequenceRow(false, "", "", false, "Reactor hall 1"),
            SequenceRow(true, "Drying of crystalline celvarin base", "v10", false, ""),
            SequenceRow(true, "Filtration " + Utf8(kSmiley), "A", true, "Kilo lab")};
}

// clang-format off
const char* const kSequenceFile =
    "Plan Sequence\r\n"
    "\r\n"
    "Step (Version)                  " "Overlap?  " "Plant                           " "\r\n"
    "\r\n"
    "Coupling(v2)                    " "Yes       " "Reactor hall 1                  " "\r\n"
    "                                " "No        " "Reactor hall 1                  " "\r\n"
    "Drying of crystalline celvarin base(v10)" "No        " "                                " "\r\n"
    "Filtration \xF0\x9F\x98\x80(A)                " "Yes       " "Kilo lab                        " "\r\n";
// clang-format on

class PlanReportFilesTest : public testing::Test {
protected:
    PlanReportFilesTest() { context.fileSet().projectDir = projectDir(); }
    QString projectDir() const { return root.path() + "/project/"; }
    QString factorPath() const { return projectDir() + "QVPLAN_7.FAC"; }
    QString sequencePath() const { return projectDir() + "PlanSequence.txt"; }
    bool writeBoth() { return WritePlanReportFiles(7, PlanRequirements(), SequenceRows()); }

    QTemporaryDir root;
    RootedAppContext context{root.path(), root.path() + "/instance"};
    bool made = QDir().mkpath(projectDir());
};

TEST_F(PlanReportFilesTest, WritesBothFilesByteForByte)
{
    ASSERT_TRUE(made);
    EXPECT_TRUE(writeBoth());
    EXPECT_EQ(FileBytes(factorPath()), ReportBytes(kFactorReport));
    EXPECT_EQ(FileBytes(sequencePath()), ReportBytes(kSequenceFile));
}

TEST_F(PlanReportFilesTest, CommaDecimalLocaleWritesTheSameBytes)
{
    ASSERT_TRUE(made);
    CommaDecimalNumerics numerics;
    if (numerics.problem())
        GTEST_SKIP() << "no comma-decimal locale to test under: " << numerics.problem();
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 0.5);
    ASSERT_STREQ(probe, "0,5") << "the C library should format with a comma here";

    EXPECT_TRUE(writeBoth());
    EXPECT_EQ(FileBytes(factorPath()), ReportBytes(kFactorReport));
    EXPECT_EQ(FileBytes(sequencePath()), ReportBytes(kSequenceFile));
}

struct FolderInTheWay {
    const char* folderName;  // a folder where this file should go
    const char* writtenName; // the other file, still written
    const char* writtenText;
};

class PlanReportFolderInTheWay : public PlanReportFilesTest,
                                 public testing::WithParamInterface<FolderInTheWay> {};

TEST_P(PlanReportFolderInTheWay, ReportsItAndWritesTheOtherFile)
{
    ASSERT_TRUE(made);
    const QString folder = projectDir() + GetParam().folderName;
    ASSERT_TRUE(QDir().mkpath(folder + "/inside"));
    ScriptedPromptService prompts;
    prompts.expect(IDOK);

    EXPECT_FALSE(writeBoth());
    EXPECT_EQ(prompts.texts(),
              QStringList{QString("File %1 could not be opened!").arg(GetParam().folderName)});
    EXPECT_TRUE(QFileInfo(folder + "/inside").isDir());
    EXPECT_EQ(FileBytes(projectDir() + GetParam().writtenName), ReportBytes(GetParam().writtenText));
}

INSTANTIATE_TEST_SUITE_P(EitherFile, PlanReportFolderInTheWay,
                         testing::Values(FolderInTheWay{"QVPLAN_7.FAC", "PlanSequence.txt", kSequenceFile},
                                         FolderInTheWay{"PlanSequence.txt", "QVPLAN_7.FAC", kFactorReport}));

} // namespace
