// The recipe text composer on operations built in memory: every catalogue type's sentence in each
// recipe language, and the rules for missing values, names, units, rounding, options and ranges.

#include "foundation/db/content/RecipeTextComposer.h"
#include "foundation/db/content/RecipeTextPatterns.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
constexpr long CHARGE = 4;
constexpr long PH_ADJUST = 35;
constexpr long R101 = 101;
constexpr long R102 = 102;
constexpr long TRANSFER = 7;
constexpr long PLANT = 1;

RecipeTextField Number(const char* type, double value, const char* uom)
{
    return {type, type, value, {}, uom, {}};
}

RecipeTextField Reference(const char* type, const char* label, const QVariant& id)
{
    return {type, label, 1e35, id, {}, {}};
}

// Every field type of the library set, on a unit procedure of R-101 followed by one of R-102.
RecipeTextOperation FullOperation(long typeID)
{
    RecipeTextOperation operation{
        typeID,
        QStringLiteral("Step one"),
        R101,
        PLANT,
        {Number("Duration", 45, "min"), Number("Amount", 800, "kg"), Number("Volume", 900, "liter"),
         Number("Temperature", 60, "C"), Reference("MaterialID", "Material", 3), Reference("ReactionID", "Reaction", 1),
         Reference("UtilityID", "Utility", 1), Reference("StreamCategoryID", "Stream Category", 2),
         Reference("LaborID", "Labor Grade", 1)},
        {}};
    operation.destinationID = R102;
    return operation;
}

// The names of the items the operation's ids name; every content flag on.
RecipeTextSettings FullSettings(const QString& language)
{
    RecipeTextSettings settings;
    settings.language = language;
    settings.options = {"measuredvalues", "separations", "utilities", "ventcondenser"};
    settings.materials = {{1, "Nitrogen"}, {3, "Toluene"}, {11, "Hydrochloric Acid"}};
    settings.reactionSets = {{1, "Acylation"}};
    settings.streamCategories = {{2, "Solvent Waste"}};
    settings.laborGrades = {{1, "Operator"}};
    settings.equipment = {{R101, "R-101"}, {R102, "R-102"}};
    settings.emissionPaths = {{{PLANT, R101}, "Vent Header"}};
    settings.typeNames = {{CHARGE, "Charge"}, {999, "Special"}};
    return settings;
}

const QHash<QString, QString> FULL_VALUES = {
    {"Duration", "45 min"},         {"Amount", "800 kg"},
    {"Volume", "900 liter"},        {"Temperature", "60 C"},
    {"Material", "Toluene"},        {"Reaction", "Acylation"},
    {"Utility", "Nitrogen"},        {"StreamCategory", "Solvent Waste"},
    {"Labor", "Operator"},          {"Equipment", "R-101"},
    {"EmissionPath", "Vent Header"}, {"Destination", "R-102"},
    {"Departure", "out of the step"}};

// With every value there, a pattern reads as itself with the values put in and no phrase left out.
QString Filled(QString pattern)
{
    pattern.remove("[ {Departure}]"); // a transfer goes either to the next vessel or out of the step
    for (auto it = FULL_VALUES.cbegin(); it != FULL_VALUES.cend(); ++it)
        pattern.replace('{' + it.key() + '}', it.value());
    pattern.remove('[').remove(']');
    pattern[0] = pattern.at(0).toUpper();
    return pattern;
}
} // namespace

class RecipeTextLanguageTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RecipeTextLanguageTest, EveryCatalogueTypeReadsAsItsPatternWithEveryValue)
{
    const QString language = GetParam();
    const RecipeTextSettings settings = FullSettings(language);
    const QList<OperationCatalogueRow> catalogue = CSchemaBuilder::ReadOperationCatalogue();
    ASSERT_GT(catalogue.size(), 80);
    for (const OperationCatalogueRow& type : catalogue) {
        SCOPED_TRACE(type.operationTypeName.toStdString());
        const QString pattern = RecipeTextPattern(type.operationTypeID, language);
        const bool own =
            std::any_of(RecipeTextPatternRows().cbegin(), RecipeTextPatternRows().cend(), [&](auto& row) {
                return row.operationTypeID == type.operationTypeID && row.language == language;
            });
        ASSERT_TRUE(own) << "no pattern of its own";
        const QString text = ComposeRecipeText(FullOperation(type.operationTypeID), settings);
        EXPECT_EQ(text, Filled(pattern));
        EXPECT_FALSE(text.contains(QRegularExpression("[{}\\[\\]]|e\\+35"))) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, RecipeTextLanguageTest, ::testing::Values("English", "Deutsch"));

// Every value of the patterns file sits inside a phrase and is one the composer knows: a value
// outside a phrase would leave an empty slot when missing, an unknown one is never filled.
TEST(RecipeTextPatternsTest, EveryValueIsAKnownOneInsideAPhrase)
{
    QString error;
    ASSERT_EQ(
        ParseRecipeTextPatterns(
            "OperationTypeID,Language,Pattern\n51,English,\"Open[ {Equipment}], close.\"\nx,y\n", &error)
            .value(0)
            .pattern,
        "Open[ {Equipment}], close.");
    EXPECT_EQ(error, "line 3 is malformed\n");
    const QRegularExpression value("\\{([A-Za-z]+)\\}");
    for (const RecipeTextPatternRow& row : RecipeTextPatternRows()) {
        int depth = 0;
        for (qsizetype i = 0; i < row.pattern.size(); ++i) {
            depth += row.pattern.at(i) == '[' ? 1 : row.pattern.at(i) == ']' ? -1 : 0;
            if (row.pattern.at(i) == '{') {
                EXPECT_GT(depth, 0) << row.pattern.toStdString();
            }
        }
        EXPECT_EQ(depth, 0) << row.pattern.toStdString();
        for (const QRegularExpressionMatch& match : value.globalMatch(row.pattern))
            EXPECT_TRUE(FULL_VALUES.contains(match.captured(1))) << row.pattern.toStdString();
    }
}

namespace {
struct TextCase {
    const char* name;
    std::function<void(RecipeTextOperation&, RecipeTextSettings&)> change;
    const char* text;
};

RecipeTextOperation Charge()
{
    return {
        CHARGE,
        "Charge",
        R101,
        PLANT,
        {Number("Amount", 800, "kg"), Number("Volume", 900, "liter"), Reference("MaterialID", "Material", 3)},
        {{"Amount", 1, 790, "kg", 810, "kg"}, {"Temperature", 2, 20, "C", 1e35, "C"}}};
}

RecipeTextSettings ChargeSettings()
{
    RecipeTextSettings settings = FullSettings("English");
    settings.options = {};
    return settings;
}

void ShowRanges(RecipeTextSettings& settings, QList<long> types)
{
    settings.options.insert("ranges");
    settings.rangeTypes = types;
    settings.rangeTypeNames = {{1, "Normal Operating Range"}, {2, "Proven Acceptable Range"}};
}

const TextCase TEXT_CASES[] = {
    {"AsStored", [](auto&, auto&) {}, "Charge 800 kg of Toluene to R-101."},
    {"MissingNumberLeavesItsPhraseOut", [](auto& o, auto&) { o.fields[0].number = 1e35; },
     "Charge of Toluene to R-101."},
    {"NullIdLeavesItsPhraseOut", [](auto& o, auto&) { o.fields[2].longValue = QVariant(); },
     "Charge 800 kg to R-101."},
    {"UnknownIdLeavesItsPhraseOut", [](auto& o, auto&) { o.fields[2].longValue = 77; },
     "Charge 800 kg to R-101."},
    {"NoEquipmentLeavesItsPhraseOut", [](auto& o, auto&) { o.equipmentID = -1; },
     "Charge 800 kg of Toluene."},
    // A transfer names where it goes, not the vessel it leaves.
    {"TransferToTheNextVessel",
     [](auto& o, auto&) {
         o.operationTypeID = TRANSFER;
         o.destinationID = R102;
     },
     "Transfer 800 kg of Toluene to R-102."},
    {"TransferOutOfTheStep",
     [](auto& o, auto&) {
         o.operationTypeID = TRANSFER;
         o.leavesStep = true;
     },
     "Transfer 800 kg of Toluene out of the step."},
    {"TransferToAVesselOfNoTag", [](auto& o, auto&) { o.operationTypeID = TRANSFER; },
     "Transfer 800 kg of Toluene."},
    // Into a block: an Or block's choices, a Parallel block's branches; a branch without a tag
    // is left out.
    {"TransferIntoAnOrBlockNamesItsChoices",
     [](auto& o, auto&) {
         o.operationTypeID = TRANSFER;
         o.destinationIDs = {R101, R102};
     },
     "Transfer 800 kg of Toluene to R-101 or R-102."},
    {"TransferIntoAParallelBlockNamesItsBranches",
     [](auto& o, auto& s) {
         o.operationTypeID = TRANSFER;
         o.destinationIDs = {R102, R101, 103};
         o.toAllDestinations = true;
         s.equipment.insert(103, "C-201");
     },
     "Transfer 800 kg of Toluene to R-102, R-101 and C-201."},
    {"TransferIntoABlockLeavesOutABranchOfNoTag",
     [](auto& o, auto&) {
         o.operationTypeID = TRANSFER;
         o.destinationIDs = {77, R102};
     },
     "Transfer 800 kg of Toluene to R-102."},
    {"UnitAsTheUnitTableSpellsIt", [](auto& o, auto&) { o.fields[0].uom = " KG"; },
     "Charge 800 kg of Toluene to R-101."},
    {"UnknownUnitAsStored", [](auto& o, auto&) { o.fields[0].uom = "drums"; },
     "Charge 800 drums of Toluene to R-101."},
    {"RoundedUnderTheBands",
     [](auto& o, auto& s) {
         o.fields[0].number = 800.126;
         s.rounding.SetRules(true, {{1e35, "Decimal Place", 2}});
     },
     "Charge 800.13 kg of Toluene to R-101."},
    {"UnroundedWithRoundingOff", [](auto& o, auto&) { o.fields[0].number = 800.126; },
     "Charge 800.126 kg of Toluene to R-101."},
    {"MeasuredValuesShowTheVolume", [](auto&, auto& s) { s.options.insert("measuredvalues"); },
     "Charge 800 kg (900 liter) of Toluene to R-101."},
    {"NestedPhraseKeepsItsOuterPart",
     [](auto& o, auto&) {
         o.operationTypeID = PH_ADJUST;
         o.fields = {Reference("MaterialID", "Material", 11)};
     },
     "Adjust the pH in R-101 with Hydrochloric Acid."},
    {"RangesOfTheChosenTypeOnly", [](auto&, auto& s) { ShowRanges(s, {1}); },
     "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg."},
    {"RangesAfterABlankLineWithAddSpace",
     [](auto&, auto& s) {
         ShowRanges(s, {1});
         s.options.insert("addspace");
     },
     "Charge 800 kg of Toluene to R-101.\n\nRanges: Amount 790 kg to 810 kg."},
    {"RangesOfSeveralTypesNameTheirType",
     [](auto&, auto& s) {
         ShowRanges(s, {1, 2});
     },
     "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg (Normal Operating Range); "
     "Temperature >= 20 C (Proven Acceptable Range)."},
    {"NoRangesLineWithoutAChosenRange", [](auto&, auto& s) { ShowRanges(s, {3}); },
     "Charge 800 kg of Toluene to R-101."},
    {"LanguageWithoutPatternsTakesTheDefaultOnes", [](auto&, auto& s) { s.language = "lower"; },
     "Charge 800 kg of Toluene to R-101."},
    {"GermanPatternAndWords",
     [](auto&, auto& s) {
         ShowRanges(s, {1});
         s.language = "Deutsch";
         s.rangesWord = "Bereiche";
         s.toWord = "bis";
     },
     "800 kg Toluene einfüllen in R-101.\nBereiche: Amount 790 kg bis 810 kg."},
    {"TypeWithoutPatternListsItsFields",
     [](auto& o, auto&) {
         o.operationTypeID = 999;
         o.label = "special";
     },
     "Special: Amount 800 kg, Material Toluene."},
    {"FallbackKeepsALabelStartingWithTheType",
     [](auto& o, auto&) {
         o.operationTypeID = 999;
         o.label = "Special Operation 2";
         o.fields = {};
     },
     "Special Operation 2."},
    {"FallbackNamesTypeAndOtherLabel",
     [](auto& o, auto& s) {
         o.operationTypeID = 999;
         o.label = "Top-up";
         s.options.insert("measuredvalues");
     },
     "Special Top-up: Amount 800 kg, Volume 900 liter, Material Toluene."},
};

class RecipeTextRuleTest : public ::testing::TestWithParam<TextCase> {};
} // namespace

TEST_P(RecipeTextRuleTest, TheTextFollowsTheRule)
{
    RecipeTextOperation operation = Charge();
    RecipeTextSettings settings = ChargeSettings();
    GetParam().change(operation, settings);
    EXPECT_EQ(ComposeRecipeText(operation, settings), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rules, RecipeTextRuleTest, ::testing::ValuesIn(TEXT_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// The gated values leave their phrases out while their option is off, one by one.
TEST(RecipeTextOptionsTest, EachContentOptionShowsItsValues)
{
    struct Gate {
        const char* option;
        const char* shown;
    };
    const Gate gates[] = {{"utilities", "with Nitrogen"},
                          {"separations", "the distillate goes to Solvent Waste"},
                          {"ventcondenser", "venting through Vent Header"},
                          {"measuredvalues", "(900 liter)"}};
    constexpr long DISTILL = 17, HEAT = 26, TRANSFER = 7;
    for (const Gate& gate : gates) {
        SCOPED_TRACE(gate.option);
        const long type = QString(gate.option) == "utilities"        ? HEAT
                          : QString(gate.option) == "measuredvalues" ? TRANSFER
                                                                     : DISTILL;
        RecipeTextSettings settings = FullSettings("English");
        EXPECT_TRUE(ComposeRecipeText(FullOperation(type), settings).contains(gate.shown));
        settings.options.remove(gate.option);
        const QString text = ComposeRecipeText(FullOperation(type), settings);
        EXPECT_FALSE(text.contains(gate.shown)) << text.toStdString();
    }
}
