// The model, physical-property, route-selection and rounding preference editors on a generated
// Demo project: what they show, what OK stores in one transaction, and that a failing row leaves
// the stored rows and the modified flag as they were.

#include "OptionsTestFixture.h"
#include "PreferenceTables.h"
#include "foundation/common/LeadingNumber.h"
#include "foundation/controls/MyGXEdit.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/project/ResultRoundingRules.h"
#include "preferences/hub/OperationModelPreferenceDialog.h"
#include "preferences/hub/PhysicalPropertyPreferenceDialog.h"
#include "preferences/hub/ResultsPreferenceDialog.h"
#include "preferences/hub/RouteSelectionPreferencesDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <limits>
#include <random>

class PreferencePagesTest : public ToolOptionsTest {
protected:
    void SetUp() override
    {
        ToolOptionsTest::SetUp();
        EmptyPreferenceTables(m_db);
    }
    QString column(const QString& sql) { return value("SELECT group_concat(x, ',') FROM (" + sql + ")").toString(); }
    // A trigger that refuses the k-th write of the table.
    void failWrite(const QString& table, const QString& event, int k)
    {
        m_db.Execute("CREATE TABLE WriteCount (n INTEGER)");
        m_db.Execute("INSERT INTO WriteCount VALUES (0)");
        m_db.Execute(QString("CREATE TRIGGER FailKth BEFORE %1 ON \"%2\" BEGIN UPDATE WriteCount SET n = n + 1; "
                             "SELECT RAISE(ABORT, 'refused row') WHERE (SELECT n FROM WriteCount) = %3; END")
                         .arg(event, table)
                         .arg(k));
    }
};

TEST(LeadingNumberTest, ReadsTheNumberATextStartsWith)
{
    const struct {
        const char* text;
        double real;
        long integer;
    } cases[] = {{"150", 150, 150},  {"  -3", -3, -3}, {"abc", 0, 0},        {"12abc", 12, 12},
                 {"nan", 0, 0},      {"inf", 0, 0},    {"99.999", 99.999, 99}, {"1e3x", 1000, 1},
                 {".5", 0.5, 0},     {"1e", 1, 1},     {"", 0, 0},           {"99999999999", 99999999999.0, 2147483647}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingDouble(c.text), c.real) << c.text;
        EXPECT_EQ(LeadingLong(c.text), c.integer) << c.text;
    }
    EXPECT_EQ(FormatTwoDecimals(99.999), "100.00");
}

TEST(ResultRoundingRulesTest, AValueTakesTheFirstBandAboveItsMagnitude)
{
    const std::vector<RoundingBand> bands = {
        {1, "Decimal Place", 3}, {100, "Significant Digits", 2}, {1000, "Decimal Place", 16}, {1e35, "decimal place", 0}};
    const struct {
        bool on;
        double value;
        const char* text;
    } cases[] = {{true, 0.123456, "0.123"},  {true, -0.5, "-0.500"},  {true, 1, "1.000"},  {true, 1.0001, "1"},
                 {true, 56.78, "57"},        {true, -56.78, "-57"},    {true, 500, ""},      {true, 123456.7, "123457"},
                 {true, 0, ""},              {false, 0.123456, ""}};
    for (const auto& c : cases) {
        CResultRoundingRules rules;
        rules.SetRules(c.on, bands);
        EXPECT_EQ(rules.Format(c.value), c.text) << c.value;
    }
    CResultRoundingRules digits;
    digits.SetRules(true, {{10, "Significant Digits", 0}, {20, "Significant Digits", 18}, {30, "Other", 2}});
    for (double v : {5.0, 15.0, 25.0, 35.0})
        EXPECT_EQ(digits.Format(v), "") << v;
}

// Each form and precision prints as Qt's printf does, across magnitudes, ties and huge values.
TEST(ResultRoundingRulesTest, RoundedTextsAreThoseOfPrintf)
{
    std::mt19937_64 random(20261207);
    std::vector<double> values = {0.5, 1.5, 2.5, 1.005, 0.125, 999.9995, 1e21, 123456789012345678.0, 1e300, 4.9e-324};
    for (int i = 0; i < 300; ++i)
        values.push_back(std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random),
                                    std::uniform_int_distribution<int>(-60, 120)(random)));
    for (const char* type : {"Decimal Place", "Significant Digits"}) {
        const bool fixed = type[0] == 'D';
        for (long precision = fixed ? 0 : 1; precision <= (fixed ? 15 : 17); ++precision) {
            CResultRoundingRules rules;
            rules.SetRules(true, {{std::numeric_limits<double>::max(), type, precision}});
            for (double value : values) {
                if (value == 0)
                    continue;
                EXPECT_EQ(rules.Format(value), QString::asprintf(fixed ? "%.*f" : "%.*g", int(precision), value))
                    << type << ' ' << precision << ' ' << value;
            }
        }
    }
}

TEST_F(PreferencePagesTest, RoundingRulesAreReadFromTheProject)
{
    m_db.Execute("INSERT INTO [PREFER-ResultRounding] (UpperLimit, Type, Precision) VALUES (1e35, 'Decimal Place', 1)");
    m_db.Execute("DELETE FROM TextRecipeOptions WHERE Options = 'RoundValues'");
    CResultRoundingRules rules;
    rules.Load();
    EXPECT_EQ(rules.Format(2.25), "") << "no option row: off";
    m_db.Execute("INSERT INTO TextRecipeOptions (Options, Value) VALUES ('RoundValues', 1)");
    rules.Load();
    EXPECT_EQ(rules.Format(2.25e40), "") << "above the open band";
    EXPECT_EQ(rules.Format(2.26), "2.3");
}

TEST_F(PreferencePagesTest, RouteSelectionClampsShowsTwoDecimalsAndWritesBothYieldsAsNumbers)
{
    m_db.Execute("DELETE FROM [PREFER-Chem]");
    m_db.Execute("INSERT INTO [PREFER-Chem] (Name, Value) VALUES ('DefaultCurrentYield', 10), "
                 "('DefaultCurrentYield', 20), ('DefaultOptimizedYield', 30)");
    CRouteSelectionPreferencesDlg dialog;
    EXPECT_EQ(dialog.currentYieldEdit()->text(), "20.00") << "the last row";
    const std::pair<const char*, const char*> typed[] = {
        {"150", "100.00"}, {"-3", "0.00"}, {"abc", "0.00"}, {"12abc", "12.00"}, {"nan", "0.00"}, {"99.999", "100.00"}};
    for (auto [text, shown] : typed) {
        dialog.currentYieldEdit()->setText(text);
        dialog.Normalise();
        EXPECT_EQ(dialog.currentYieldEdit()->text(), shown) << text;
    }
    dialog.currentYieldEdit()->setText("42.5");
    dialog.OnOK();
    EXPECT_EQ(column("SELECT Value AS x FROM [PREFER-Chem] ORDER BY RowKey"), "42.5,42.5,30.0");
    EXPECT_EQ(value("SELECT typeof(Value) FROM [PREFER-Chem] LIMIT 1").toString(), "real");
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>({true}));
}

TEST_F(PreferencePagesTest, RouteSelectionFailingOneUpdateKeepsBothYields)
{
    m_db.Execute("DELETE FROM [PREFER-Chem]");
    m_db.Execute("INSERT INTO [PREFER-Chem] (Name, Value) VALUES ('DefaultCurrentYield', 10), "
                 "('DefaultOptimizedYield', 30)");
    failWrite("PREFER-Chem", "UPDATE", 2);
    CRouteSelectionPreferencesDlg dialog;
    dialog.currentYieldEdit()->setText("50");
    dialog.optimalYieldEdit()->setText("60");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().startsWith("ExecuteSQLDB:")) << m_prompts.lastText().toStdString();
    EXPECT_EQ(column("SELECT Value AS x FROM [PREFER-Chem] ORDER BY RowKey"), "10.0,30.0");
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

TEST_F(PreferencePagesTest, PhysicalPropertiesReadCaseVariantsAndRewriteOnlyTheKnownRows)
{
    m_db.Execute("DELETE FROM [PREFER-PhysicalPropertyModels]");
    m_db.Execute("INSERT INTO [PREFER-PhysicalPropertyModels] (PhysicalProperty, ModelName) VALUES "
                 "('liquid mixture density', 'rackett'), ('Component Available Phase', 'GAS'), ('Viscosity', 'x')");
    CPhysicalPropertyPreferenceDialog dialog;
    EXPECT_TRUE(dialog.radio(1429)->isChecked());
    EXPECT_TRUE(dialog.radio(1432)->isChecked());
    dialog.radio(1428)->click();
    dialog.OnOK();
    EXPECT_EQ(column("SELECT ModelName AS x FROM [PREFER-PhysicalPropertyModels] ORDER BY RowKey"), "Ideal,Gas,x");
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>({true}));
}

TEST_F(PreferencePagesTest, PhysicalPropertiesFailingARowRollsEveryRowBack)
{
    m_db.Execute("DELETE FROM [PREFER-PhysicalPropertyModels]");
    m_db.Execute("INSERT INTO [PREFER-PhysicalPropertyModels] (PhysicalProperty, ModelName) VALUES "
                 "('Liquid Mixture Density', 'Ideal'), ('Component Available Phase', 'Gas')");
    failWrite("PREFER-PhysicalPropertyModels", "UPDATE", 2);
    CPhysicalPropertyPreferenceDialog dialog;
    dialog.radio(1429)->click();
    dialog.radio(1430)->click();
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains("refused row"));
    EXPECT_EQ(column("SELECT ModelName AS x FROM [PREFER-PhysicalPropertyModels] ORDER BY RowKey"), "Ideal,Gas");
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(PreferencePagesTest, ModelChoicesAreKeyedByTypeIdAndUnreadRowsAreKept)
{
    m_db.Execute("DELETE FROM [PREFER-Models]");
    m_db.Execute("INSERT INTO [PREFER-Models] (OperationTypeID, SelectedModelTypeID) VALUES (0, 7), (-5, 8), (95, 3)");
    const long firstType = value("SELECT MIN(OperationTypeID) FROM OperationsLibrary WHERE OperationTypeName <> 'START'")
                               .toInt();
    m_db.Execute(QString("INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName) VALUES "
                         "(%1, 1, 'Model'), (%1, 2, 'Model B')").arg(firstType));
    COperationModelPreferenceDialog dialog;
    ASSERT_TRUE(dialog.Load());
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.operations()->findText("START"), -1);
    dialog.operations()->setCurrentIndex(dialog.operations()->findData(qlonglong(firstType)));
    dialog.models()->setCurrentIndex(dialog.models()->findData(qlonglong(2)));
    EXPECT_TRUE(dialog.IsModified());
    dialog.OnOK();
    EXPECT_EQ(column("SELECT OperationTypeID || ':' || SelectedModelTypeID AS x FROM [PREFER-Models] "
                     "ORDER BY OperationTypeID"),
              QString("-5:8,0:7,%1:2,95:3").arg(firstType));
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>({true}));

    COperationModelPreferenceDialog again;
    ASSERT_TRUE(again.Load());
    again.OnInitDialog();
    again.operations()->setCurrentIndex(again.operations()->findData(qlonglong(firstType)));
    EXPECT_EQ(again.models()->currentText(), "Model B") << "selected by item data, not by text prefix";
    again.models()->setCurrentIndex(again.models()->findData(qlonglong(2)));
    EXPECT_FALSE(again.IsModified());
}

TEST_F(PreferencePagesTest, ModelChoicesAboveTheDefinedCountAreAllReadWithOneMessage)
{
    m_db.Execute("DELETE FROM [PREFER-Models]");
    m_db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 92) "
                 "INSERT INTO [PREFER-Models] (OperationTypeID, SelectedModelTypeID) SELECT i, i FROM n");
    m_prompts.expect(IDOK);
    COperationModelPreferenceDialog dialog;
    ASSERT_TRUE(dialog.Load());
    EXPECT_EQ(m_prompts.texts(), QStringList({"There are more operation types than defined!"}));
    EXPECT_EQ(dialog.Selection(92), 92);
}

TEST_F(PreferencePagesTest, ModelSaveFailingItsKthRowKeepsTheTable)
{
    m_db.Execute("DELETE FROM [PREFER-Models]");
    m_db.Execute("INSERT INTO [PREFER-Models] (OperationTypeID, SelectedModelTypeID) VALUES (1, 1), (2, 2), (3, 3)");
    const long firstType = value("SELECT MIN(OperationTypeID) FROM OperationsLibrary WHERE OperationTypeName <> 'START'")
                               .toInt();
    m_db.Execute(QString("INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName) VALUES (%1, 9, 'M')")
                     .arg(firstType));
    failWrite("PREFER-Models", "INSERT", 2);
    COperationModelPreferenceDialog dialog;
    ASSERT_TRUE(dialog.Load());
    dialog.OnInitDialog();
    dialog.operations()->setCurrentIndex(dialog.operations()->findData(qlonglong(firstType)));
    dialog.models()->setCurrentIndex(0);
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains("refused row"));
    EXPECT_EQ(column("SELECT OperationTypeID || ':' || SelectedModelTypeID AS x FROM [PREFER-Models] "
                     "ORDER BY RowKey"),
              "1:1,2:2,3:3");
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

class ResultsPreferenceTest : public PreferencePagesTest {
protected:
    void setRoundValues(const char* value)
    {
        m_db.Execute("DELETE FROM TextRecipeOptions WHERE Options = 'RoundValues'");
        if (value)
            m_db.Execute(QString("INSERT INTO TextRecipeOptions (Options, Value) VALUES ('RoundValues', %1)").arg(value));
    }
    void setRow(CResultsPreferenceDialog& d, int row, const char* to, const char* type, const char* precision)
    {
        d.grid()->SetValueRowCol(row, 2, to);
        d.grid()->SetValueRowCol(row, 3, type);
        d.grid()->SetValueRowCol(row, 4, precision);
    }
    QString rules() { return column("SELECT UpperLimit || ' ' || Type || ' ' || Precision AS x FROM [PREFER-ResultRounding] ORDER BY RowKey"); }
};

TEST_F(ResultsPreferenceTest, ButtonThreeFollowsTheRoundValuesOption)
{
    const std::pair<const char*, bool> cases[] = {{nullptr, false}, {"0", false}, {"1", true}};
    for (auto [option, shown] : cases) {
        setRoundValues(option);
        CResultsPreferenceDialog dialog;
        EXPECT_EQ(!dialog.button(3)->isHidden(), shown) << (option ? option : "missing");
    }
}

TEST_F(ResultsPreferenceTest, EachRefusedRowShowsItsMessageAndStoresNothing)
{
    m_db.Execute("INSERT INTO [PREFER-ResultRounding] (UpperLimit, Type, Precision) VALUES (5, 'Decimal Place', 2)");
    const struct {
        int row;
        const char *to, *type, *precision;
        const char* message;
    } cases[] = {
        {3, "9", "Decimal Place", "1",
         "Entries must be in successive order. Please remove data from row 3 or enter a \"To\" value in row 2."},
        {2, "5", "Decimal Place", "1", "The \"To\" value is smaller than the \"From\" value in row 2."},
        {2, "9", "", "1", "Specify a Type in row 2."},
        {2, "9", "Decimal Place", "", "Specify a Precision in row 2."},
        {2, "9", "Significant Digits", "0", "Significant digit precision in row 2 must be positive."},
        // beyond 1e35 a limit would read back as the open end
        {2, "1e300", "Decimal Place", "1", "Please enter a number."},
        {2, "1e35", "Decimal Place", "1", "Please enter a number."},
    };
    for (const auto& c : cases) {
        CResultsPreferenceDialog dialog;
        setRow(dialog, c.row, c.to, c.type, c.precision);
        m_prompts.expect(IDOK);
        dialog.OnOK();
        EXPECT_EQ(m_prompts.lastText(), c.message);
        EXPECT_FALSE(dialog.m_bSaved);
        EXPECT_EQ(rules(), "5.0 Decimal Place 2");
    }
}

TEST_F(ResultsPreferenceTest, AnOpenLastBandIsStoredAsTheUnsetNumberAndShownEmpty)
{
    {
        CResultsPreferenceDialog dialog;
        setRow(dialog, 1, "1", "Decimal Place", "0");
        setRow(dialog, 2, "", "Significant Digits", "3");
        dialog.OnOK();
        EXPECT_TRUE(dialog.m_bSaved);
    }
    EXPECT_EQ(rules(), "1.0 Decimal Place 0,1.0e+35 Significant Digits 3");
    CResultsPreferenceDialog reopened;
    EXPECT_EQ(reopened.grid()->GetValueRowCol(2, 1), "1");
    EXPECT_EQ(reopened.grid()->GetValueRowCol(2, 2), "");
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>());
}

TEST_F(ResultsPreferenceTest, TwelveStoredRulesGetTwelveRowsAndTheLastRowWritesNoFurther)
{
    for (int i = 1; i <= 12; ++i)
        m_db.Execute(QString("INSERT INTO [PREFER-ResultRounding] (UpperLimit, Type, Precision) VALUES (%1, 'Decimal Place', 1)").arg(i));
    CResultsPreferenceDialog dialog;
    ASSERT_EQ(dialog.grid()->GetRowCount(), 12);
    EXPECT_EQ(dialog.toEdit()->GetRowLimit(), 12);
    EXPECT_EQ(dialog.grid()->GetValueRowCol(12, 1), "11");
    dialog.grid()->SetValueRowCol(12, 2, "40");
    EXPECT_EQ(dialog.grid()->GetRowCount(), 12);
    dialog.OnOK();
    EXPECT_EQ(value("SELECT COUNT(*) FROM [PREFER-ResultRounding]").toInt(), 12);
}

TEST_F(ResultsPreferenceTest, AFailedWriteKeepsTheRulesTheDialogAndRegeneratesNothing)
{
    m_db.Execute("INSERT INTO [PREFER-ResultRounding] (UpperLimit, Type, Precision) VALUES (5, 'Decimal Place', 2)");
    setRoundValues("1");
    failWrite("PREFER-ResultRounding", "INSERT", 2);
    CResultsPreferenceDialog dialog;
    setRow(dialog, 2, "9", "Decimal Place", "1");
    m_prompts.expect(IDOK);
    dialog.OnUpdateTextRecipe();
    EXPECT_TRUE(m_prompts.lastText().contains("refused row"));
    EXPECT_TRUE(m_frame.calls.isEmpty());
    EXPECT_EQ(rules(), "5.0 Decimal Place 2");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_FALSE(dialog.m_bSaved);
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

TEST_F(ResultsPreferenceTest, UnreadableOptionsLeaveTheGridUnsetAndTheRulesAlone)
{
    m_db.Execute("INSERT INTO [PREFER-ResultRounding] (UpperLimit, Type, Precision) VALUES (5, 'Decimal Place', 2)");
    m_db.Execute("ALTER TABLE TextRecipeOptions RENAME TO Gone");
    m_prompts.expect(IDOK);
    CResultsPreferenceDialog dialog;
    EXPECT_FALSE(dialog.button(1)->isEnabled());
    EXPECT_FALSE(dialog.button(3)->isEnabled());
    dialog.OnOK();
    EXPECT_EQ(rules(), "5.0 Decimal Place 2");
    m_prompts.clear();
}
