// Every recordset class opened on a freshly generated Demo project: every declared column is
// read on every row with a value of its declared type, and every column a set writes exists in
// its base table.

#include "MaterialDatabank.h"
#include "PreferenceTables.h"
#include "RecordsetFixture.h"
#include "foundation/db/equipment/ActualEquipmentUnitSet.h"
#include "foundation/db/equipment/AreaSet.h"
#include "foundation/db/equipment/BuildingSet.h"
#include "foundation/db/equipment/EquipmentClassSet.h"
#include "foundation/db/equipment/EquipmentPropertySet.h"
#include "foundation/db/equipment/FacilityTreeSet.h"
#include "foundation/db/equipment/FactorySet.h"
#include "foundation/db/equipment/PlantProjectSet.h"
#include "foundation/db/equipment/PlantEuipmentSet.h"
#include "foundation/db/equipment/PlantSet.h"
#include "foundation/db/equipment/PlantToProjectSet.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/material/MaterialPropertySet.h"
#include "foundation/db/material/MixtureSet.h"
#include "foundation/db/material/QueryMaterialForPhase.h"
#include "foundation/db/project/CalendarExceptionSet.h"
#include "foundation/db/project/CalendarSet.h"
#include "foundation/db/project/CalendarWorkingTimesSet.h"
#include "foundation/db/project/CommentTypeSet.h"
#include "foundation/db/project/CalculatedCostFactorLibrarySet.h"
#include "foundation/db/project/CostFactorPreferenceSet.h"
#include "foundation/db/project/DefaultUOMSet.h"
#include "foundation/db/project/ItemizedCostFactorSet.h"
#include "foundation/db/project/EmissionCtrlDeviceSet.h"
#include "foundation/db/project/EmissionCtrlPathSet.h"
#include "foundation/db/project/EquipmentAirEmissionModelSet.h"
#include "foundation/db/project/PreferAirEmissionModelSet.h"
#include "foundation/db/project/QryOperationTypeFromAirEmissionSet.h"
#include "foundation/db/project/QueryControlEfficiencyDefaults.h"
#include "foundation/db/project/QueryControlEfficiencyLib.h"
#include "foundation/db/project/QueryEmissionModelSet.h"
#include "foundation/db/project/QueryVaporEmissionDefaults.h"
#include "foundation/db/project/ExcelReportOptionSet.h"
#include "foundation/db/project/LaborCategorySet.h"
#include "foundation/db/project/LanguagePreferencesSet.h"
#include "foundation/db/project/MessageOptionsSet.h"
#include "foundation/db/project/MinBatchSizeOptionsSet.h"
#include "foundation/db/project/OpSpecEqmCalendarSet.h"
#include "foundation/db/project/OperationLibrarySet.h"
#include "foundation/db/project/OptionsSet.h"
#include "foundation/db/project/PPDetailSet.h"
#include "foundation/db/project/PhysicalPropertyPreferenceSet.h"
#include "foundation/db/project/PreferEmissionPathSet.h"
#include "foundation/db/project/PreferMaxEmissionSet.h"
#include "foundation/db/project/PreferNonCondensableMaterialSet.h"
#include "foundation/db/project/PreferResultRoundingSet.h"
#include "foundation/db/project/PreferenceModelSet.h"
#include "foundation/db/project/PlanRequirementsSet.h"
#include "foundation/db/project/PlanSet.h"
#include "foundation/db/project/PlanSummary.h"
#include "foundation/db/project/PlanToProject.h"
#include "foundation/db/project/PreferencesSet.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/ProjectSet.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/project/QryReportVersion.h"
#include "foundation/db/project/QryStepByStepAndProcessIDSet.h"
#include "foundation/db/project/QueryModelSet.h"
#include "foundation/db/project/QueryOperationDefaultSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/db/project/QuorvantaVersionSet.h"
#include "foundation/db/project/RangeTypeSet.h"
#include "foundation/db/project/STARTStep.h"
#include "foundation/db/project/SharedExclusiveEquipmentSet.h"
#include "foundation/db/project/SimulationOptionsSet.h"
#include "foundation/db/project/StreamCategorySet.h"
#include "foundation/db/project/StepToProcessSet.h"
#include "foundation/db/project/StepTransition.h"
#include "foundation/db/project/TblMessageLibrarySet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"
#include "foundation/db/project/UOMSet.h"
#include "foundation/db/project/UOMSetDetail.h"
#include "foundation/db/project/UOMTypeSet.h"
#include "foundation/db/project/UnitsLibrarySet.h"
#include "foundation/db/step/OPFieldForFieldIDSet.h"
#include "foundation/db/step/OPFieldSet.h"
#include "foundation/db/step/OPGroupSet.h"
#include "foundation/db/step/OPRangeDataSet.h"
#include "foundation/db/step/OPRangeForRangeIDSet.h"
#include "foundation/db/step/OpTransition.h"
#include "foundation/db/step/OperationConditionalLogicParameterSet.h"
#include "foundation/db/step/OperationSet.h"
#include "foundation/db/step/QryTblCommentDataForCommentTypeSet.h"
#include "foundation/db/step/QryTblRangeDataForRangeTypeSet.h"
#include "foundation/db/step/RecipeOutlineSet.h"
#include "foundation/db/step/STARTOperation.h"
#include "foundation/db/step/STARTUnitProcedure.h"
#include "foundation/db/step/StepLabelSet.h"
#include "foundation/db/step/DesignSpecsSet.h"
#include "foundation/db/step/StepSet.h"
#include "foundation/db/step/TblFieldLabor.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "foundation/db/step/UPTransition.h"
#include "foundation/db/step/UnitProcedureConditionalLogicParameterSet.h"
#include "foundation/db/step/UnitProcedureSet.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <limits>

namespace {

using SetPtr = std::unique_ptr<CDaoRecordset>;

struct DriftCase {
    const char* name;
    // Opens the set on the fixture's project (or answers null when it does not open). A plain
    // function: a hundred lambdas each wrapped in their own std::function cost seconds to compile.
    SetPtr (*open)(long itemID);
    const char* itemType = nullptr; // the recipe row whose id is passed to open
};

template <typename Set, typename... Args> SetPtr opened(Args&&... args)
{
    auto set = std::make_unique<Set>();
    return set->OpenSet(std::forward<Args>(args)...) ? std::move(set) : nullptr;
}

template <typename Set> SetPtr openedOnProject()
{
    auto set = std::make_unique<Set>(GetProjectDatabase());
    set->Open();
    return set;
}

bool fitsType(DaoFieldType type, const QVariant& value)
{
    if (value.isNull())
        return true;
    const bool integer = value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int;
    const qlonglong number = value.toLongLong();
    switch (type) {
    case DaoFieldType::Long:
        return integer;
    case DaoFieldType::Short:
        return integer && std::abs(number) <= std::numeric_limits<short>::max();
    case DaoFieldType::Bool:
        return integer && (number == 0 || number == 1);
    case DaoFieldType::Double:
    case DaoFieldType::Date:
        return integer || value.typeId() == QMetaType::Double;
    case DaoFieldType::Text:
        return value.typeId() == QMetaType::QString;
    }
    return false;
}

// The lowest key of a parameter table of the Coupling step.
long lowestStepKey(const QString& column, const QString& table)
{
    QSqlQuery query = GetStepDatabase(1001)->Query(QString("SELECT MIN(%1) FROM %2").arg(column, table));
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

// The databank file beside the project, written on first use.
QString databankBesideProject()
{
    const QString path = QFileInfo(GetProjectDBPath()).dir().filePath("Halvorix.mdb");
    return QFile::exists(path) ? path : WriteMaterialDatabank(path);
}

long firstMaterialWithProperty()
{
    CDaoDatabase materials;
    materials.Open(GetMaterialsDBPath(), DatabaseRole::ReadOnly);
    QSqlQuery query = materials.Query("SELECT MIN(MaterialID) FROM ActualMaterialProperty");
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

QSet<QString> tableColumns(CDaoDatabase& database, const QString& table)
{
    QSet<QString> columns;
    QSqlQuery query = database.Query("SELECT name FROM pragma_table_info(?)", {table});
    while (query.next())
        columns.insert(query.value(0).toString().toLower());
    return columns;
}

} // namespace

class RecordsetDriftTest : public RecordsetFixture, public ::testing::WithParamInterface<DriftCase> {
protected:
    // Rows for the tables the Demo leaves empty, so that every column is read at least once.
    void SetUp() override
    {
        RecordsetFixture::SetUp();
        m_projectDb.Execute("INSERT INTO MessageOptions (Options, Value) VALUES ('Warnings', 1)");
        EmptyPreferenceTables(m_projectDb);
        m_projectDb.Execute("INSERT INTO [PREFER-Models] (OperationTypeID, SelectedModelTypeID) VALUES (3, 1)");
        m_projectDb.Execute("INSERT INTO [PREFER-PhysicalPropertyModels] (PhysicalProperty, ModelName) "
                            "VALUES ('Liquid Mixture Density', 'Ideal')");
        m_projectDb.Execute("INSERT INTO [PREFER-ResultRounding] (UpperLimit, Type, Precision) "
                            "VALUES (1e35, 'Decimal Place', 2)");
        m_projectDb.Execute("INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName, ModelKind) "
                            "VALUES (3, 1, 'Drift model', 0), (32, 1007, 'Drift emission model', 1)");
        m_projectDb.Execute("INSERT INTO TblCalendarException (CalendarID, FromDate, ToDate, Working, FromTime1, "
                            "ToTime1) VALUES (2, 45000, 45001, 1, 0.25, 0.5)");
        CDaoDatabase& step = *m_stepDbs.at(COUPLING);
        step.Execute(
            "INSERT INTO OperationConditionalLogicParameter VALUES (10003, 'Starts-After', 10002, 5.0, "
            "'min', NULL)");
        step.Execute(
            "INSERT INTO UnitProcedureConditionalLogicParameter VALUES (10013, 'Starts-After', 10001, "
            "NULL, NULL, NULL)");
        // Transition rows and the START items of both databases.
        step.Execute(
            "INSERT INTO UnitProcedureTransition (UnitProcedureTransitionID, FromUnitProcedureID, "
            "ToUnitProcedureID, StepID, TransitionType) VALUES ('0000000A', 1, 10001, 1001, 'Series')");
        step.Execute("INSERT INTO OperationTransition (FromOperationID, ToOperationID, UnitProcedureID, "
                     "TransitionType, OperationTransitionID) VALUES (1, 10002, 10001, 'Series', '0000000B')");
        step.Execute("INSERT INTO UnitProcedure (UnitProcedureName) VALUES ('START')");
        step.Execute("INSERT INTO Operation (QuorvantaLabel, OperationTypeID) VALUES ('START', 0)");
        m_projectDb.Execute("INSERT INTO ProjectStep (StepName) VALUES ('START')");
        m_projectDb.Execute("INSERT INTO StepTransition (StepTransitionID, FromStepID, ToStepID, ProcessID, "
                            "TransitionType) VALUES ('0000000C', 1, 1001, 2, 'Series')");
        scalar(pathOf("Demo.mtl"), "INSERT INTO Mixture (MaterialID, ComponentID, Phase, Amount, AmountUOM) "
                                   "VALUES (900, 1, 'Liquid', 0.5, 'kg')");
        m_projectDb.Execute("INSERT INTO ProductionPlan (PlanName, StartDateTime, OutputUOMSetID) "
                            "VALUES ('Drift plan', 46000.0, 1)");
        m_projectDb.Execute("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
                            "VALUES (1, 1, 'Drift plan')");
        m_projectDb.Execute("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, "
                            "QuantityUOM, BatchTimeInterval, EarliestStartTime, FirstBatchOverlap, "
                            "BatchTimeIntervalUOM, IntraCampaignBatchOverlap) "
                            "VALUES (1, 1, 'process', 500, 'kg', 2.5, 46000.5, 1, 'hr', 0)");
        m_projectDb.Execute("INSERT INTO ProductionPlanDetail (PlanID, StepID, Overlap, EarliestStartTime, PlantID, "
                            "BatchNumber, RequirementID, BatchTimeInterval, BatchTimeIntervalUOM) "
                            "VALUES (1, 1001, 1, 46000.5, 1, 1, 1, 2.5, 'hr')");
        m_projectDb.Execute("INSERT INTO PlanSummary (RequirementID, StepID, NumberOfBatches, PlanID) "
                            "VALUES (1, 1001, 3, 1)");
        m_projectDb.Execute("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (101, 1)");
        step.Execute("INSERT INTO DesignSpecifications VALUES (1001, 1200.5, 'kg', 30, 'day', 0, "
                     "'Tamro Plenthover Equipment Catalog', 'Closest vessels first')");
    }
};

TEST_P(RecordsetDriftTest, ReadsEveryDeclaredColumnAndWritesOnlyExistingOnes)
{
    const DriftCase& drift = GetParam();
    const long itemID = drift.itemType ? firstItemID(COUPLING, drift.itemType) : -1;
    SetPtr set = drift.open(itemID);
    ASSERT_TRUE(set) << "does not open";
    ASSERT_GT(set->GetRecordCount(), 0) << "no rows to read";
    const DaoRecordsetDef& def = set->GetDefinition();
    for (set->MoveFirst(); !set->IsEOF(); set->MoveNext()) {
        for (const DaoColumn& column : def.columns) {
            const QVariant value = set->GetFieldValue(column.name);
            EXPECT_TRUE(fitsType(column.type, value))
                << column.name.toStdString() << " holds " << value.toString().toStdString();
        }
    }
    for (int table = 0; table < int(def.tables.size()); ++table) {
        const QSet<QString> columns = tableColumns(*set->GetDatabase(), def.tables[size_t(table)].name);
        ASSERT_FALSE(columns.isEmpty()) << def.tables[size_t(table)].name.toStdString();
        for (const DaoColumn& column : def.columns) {
            if (column.table == table) {
                EXPECT_TRUE(columns.contains(column.writtenName().toLower())) << column.name.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, RecordsetDriftTest,
    ::testing::Values(
        DriftCase{"Project", [](long) { return opened<CProjectSet>(QString()); }},
        DriftCase{"ProjectOnFile", [](long) { return opened<CProjectSet>(GetProjectDBPath()); }},
        DriftCase{"QuorvantaVersion", [](long) { return opened<CQuorvantaVersionSet>(GetProjectDBPath()); }},
        DriftCase{"Preferences", [](long) { return openedOnProject<CPreferencesSet>(); }},
        DriftCase{"Options", [](long) { return openedOnProject<COptionsSet>(); }},
        DriftCase{"ProjectStep", [](long) { return opened<CProjectStepSet>(); }},
        DriftCase{"QueryStepInProject", [](long) { return opened<CQueryStepInProjectSet>(QString()); }},
        DriftCase{"Process", [](long) { return opened<CProcessSet>(); }},
        DriftCase{"ProcessToProject", [](long) { return opened<CProcessToProjectSet>(QString()); }},
        DriftCase{"Plan", [](long) { return opened<CPlanSet>(); }},
        DriftCase{"PlanToProject", [](long) { return opened<CPlanToProject>(); }},
        DriftCase{"PPDetail", [](long) { return opened<CPPDetailSet>(1L); }},
        DriftCase{"PlanSummary", [](long) { return opened<CPlanSummary>(-1L); }},
        DriftCase{"PlanRequirements", [](long) { return opened<CPlanRequirementsSet>(-1L); }},
        DriftCase{"SharedExclusiveEquipment", [](long) { return opened<CSharedExclusiveEquipmentSet>(); }},
        DriftCase{"UOMSet", [](long) { return opened<CUOMSet>(); }},
        DriftCase{"DefaultUOMSet", [](long) { return opened<CDefaultUOMSet>(); }},
        DriftCase{"UOMTypes", [](long) { return opened<CUOMTypeSet>(); }},
        DriftCase{"UOMSetDetail", [](long) { return opened<CUOMSetDetail>(1L); }},
        DriftCase{"UnitsLibrary", [](long) { return opened<CUnitsLibrarySet>(QString(), QString("Amount")); }},
        DriftCase{"ProcessStep", [](long) { return opened<CProcessStepSet>(2L, QString()); }},
        DriftCase{"QryStepByStepAndProcessID",
                  [](long) { return opened<CQryStepByStepAndProcessIDSet>(1004L, 2L); }},
        DriftCase{"StepToProcess", [](long) { return opened<CStepToProcessSet>(-1L); }},
        DriftCase{"OperationLibrary", [](long) { return opened<COperationLibrarySet>(); }},
        DriftCase{"LanguagePreferences",
                  [](long) { return opened<CLanguagePreferencesSet>(GetProjectDBPath(), QString()); }},
        DriftCase{"TempLanguagePreferences",
                  [](long) { return opened<CLanguagePreferencesSet>(GetProjectDBPath(), QString("Temp")); }},
        DriftCase{"TextRecipeOptions", [](long) { return opened<CTextRecipeOptionsSet>(); }},
        DriftCase{"MessageOptions", [](long) { return opened<CMessageOptionsSet>(); }},
        DriftCase{"PreferenceModel", [](long) { return opened<CPreferenceModelSet>(); }},
        DriftCase{"QueryModel", [](long) { return opened<CQueryModelSet>(3L); }},
        DriftCase{"PhysicalPropertyPreference", [](long) { return opened<CPhysicalPropertyPreferenceSet>(); }},
        DriftCase{"PreferResultRounding", [](long) { return opened<CPreferResultRoundingSet>(); }},
        DriftCase{"CostFactorPreference", [](long) { return opened<CCostFactorPreferenceSet>(QString("Processing")); }},
        DriftCase{"CalculatedCostFactorLibrary", [](long) { return opened<CCalculatedCostFactorLibrarySet>(-1L); }},
        DriftCase{"ItemizedCostFactor", [](long) { return opened<CItemizedCostFactorSet>(202L); }},
        DriftCase{"QueryOperationDefault", [](long) { return opened<CQueryOperationDefaultSet>(); }},
        DriftCase{"QryOperationTypeFromAirEmission", [](long) { return opened<CQryOperationTypeFromAirEmissionSet>(); }},
        DriftCase{"EquipmentAirEmissionModel", [](long) { return opened<CEquipmentAirEmissionModelSet>(26L); }},
        DriftCase{"QueryEmissionModel", [](long) { return opened<CQueryEmissionModelSet>(32L); }},
        DriftCase{"PreferAirEmissionModel", [](long) { return opened<CPreferAirEmissionModelSet>(4L, 100501L); }},
        DriftCase{"QueryVaporEmissionDefaults", [](long) { return opened<CQueryVaporEmissionDefaults>(); }},
        DriftCase{"QueryControlEfficiencyDefaults",
                  [](long) { return opened<CQueryControlEfficiencyDefaults>(QString()); }},
        DriftCase{"QueryControlEfficiencyLib",
                  [](long) {
                      return opened<CQueryControlEfficiencyLib>(QString(QV_DATA_DIR "/RegulatoryCategories.mdb"));
                  }},
        DriftCase{"SimulationOptions", [](long) { return opened<CSimulationOptionsSet>(QString("BATCH")); }},
        DriftCase{"RangeType", [](long) { return opened<CRangeTypeSet>(); }},
        DriftCase{"CommentType", [](long) { return opened<CCommentTypeSet>(); }},
        DriftCase{"LaborCategory", [](long) { return opened<CLaborCategorySet>(); }},
        DriftCase{"StreamCategory", [](long) { return opened<CStreamCategorySet>(-1L); }},
        DriftCase{"QryTblRangeDataForRangeType",
                  [](long) { return opened<CQryTblRangeDataForRangeTypeSet>(1002L, 2L); }},
        DriftCase{"TblFieldLabor", [](long) { return opened<CTblFieldLabor>(GetStepDatabase(1002), 1L); }},
        DriftCase{"QryTblCommentDataForCommentType",
                  [](long) { return opened<CQryTblCommentDataForCommentTypeSet>(1002L, 2L); }},
        DriftCase{"ExcelReportOption", [](long) { return opened<CExcelReportOptionSet>(); }},
        DriftCase{"QryReportVersion", [](long) { return opened<CQryReportVersion>(204L); }},
        DriftCase{"MinBatchSizeOptions", [](long) { return opened<CMinBatchSizeOptionsSet>(); }},
        DriftCase{"OpSpecEqmCalendar", [](long) { return opened<COpSpecEqmCalendarSet>(); }},
        DriftCase{"TblMessageLibrary",
                  [](long) { return opened<CTblMessageLibrarySet>(GetProjectDatabase()); }},
        DriftCase{"Step", [](long) { return opened<CStepSet>(1001L, QString()); }},
        DriftCase{"DesignSpecs", [](long) { return opened<CDesignSpecsSet>(1001L); }},
        DriftCase{"StepLabel", [](long) { return opened<CStepLabelSet>(1001L); }},
        DriftCase{"RecipeOutline", [](long) { return opened<CRecipeOutlineSet>(1001L); }},
        DriftCase{"TextRecipe",
                  [](long) { return opened<CTextRecipeSet>(1001L, -1L, QString("all"), QString()); }},
        DriftCase{"Operation", [](long id) { return opened<COperationSet>(1001L, id); }, "Operation"},
        DriftCase{"UnitProcedure", [](long id) { return opened<CUnitProcedureSet>(1001L, id); },
                  "Unit Procedure"},
        DriftCase{"OperationConditionalLogicParameter",
                  [](long) { return opened<COperationConditionalLogicParameterSet>(1001L); }},
        DriftCase{"UnitProcedureConditionalLogicParameter",
                  [](long) { return opened<CUnitProcedureConditionalLogicParameterSet>(1001L); }},
        DriftCase{"OPGroup", [](long) { return opened<COPGroupSet>(1001L, -1L, -1L, -1L, -1L); }},
        DriftCase{"OPField", [](long) { return opened<COPFieldSet>(1001L, -1L, -1L, -1L); }},
        DriftCase{"OPRangeData", [](long) { return opened<COPRangeDataSet>(1001L, -1L, -1L, -1L); }},
        DriftCase{"OPFieldForFieldID",
                  [](long) {
                      return opened<COPFieldForFieldIDSet>(1001L, lowestStepKey("FieldID", "TblFieldData"));
                  }},
        DriftCase{"OPRangeForRangeID",
                  [](long) {
                      return opened<COPRangeForRangeIDSet>(1001L, lowestStepKey("RangeID", "TblRangeData"));
                  }},
        DriftCase{"UPTransition", [](long) { return opened<CUPTransition>(1001L); }},
        DriftCase{"OpTransition", [](long) { return opened<COpTransition>(1001L); }},
        DriftCase{"STARTUnitProcedure", [](long) { return opened<CSTARTUnitProcedure>(1001L); }},
        DriftCase{"STARTOperation", [](long) { return opened<CSTARTOperation>(1001L); }},
        DriftCase{"STARTStep", [](long) { return opened<CSTARTStep>(); }},
        DriftCase{"StepTransition", [](long) { return opened<CStepTransition>(2L); }},
        DriftCase{"FacilityTree", [](long) { return opened<CFacilityTreeSet>(); }},
        DriftCase{"PlantProject", [](long) { return opened<CPlantProjectSet>(); }},
        DriftCase{"EquipmentProperty",
                  [](long) { return opened<CEquipmentPropertySet>(101L, QString("Capacity"), QString()); }},
        DriftCase{"Plant", [](long) { return opened<CPlantSet>(); }},
        DriftCase{"ActualEquipmentUnit", [](long) { return opened<CActualEquipmentUnitSet>(101L); }},
        DriftCase{"EquipmentClass", [](long) { return opened<CEquipmentClassSet>(1L); }},
        DriftCase{"PlantToProject", [](long) { return opened<CPlantToProjectSet>(QString()); }},
        DriftCase{"Area", [](long) { return opened<CAreaSet>(); }},
        DriftCase{"Factory", [](long) { return opened<CFactorySet>(); }},
        DriftCase{"Building", [](long) { return opened<CBuildingSet>(); }},
        DriftCase{"Calendar", [](long) { return opened<CCalendarSet>(-1L, QString()); }},
        DriftCase{"CalendarOnFile", [](long) { return opened<CCalendarSet>(2L, GetProjectDBPath()); }},
        DriftCase{"CalendarWorkingTimes", [](long) { return opened<CCalendarWorkingTimesSet>(-1L, -1L); }},
        DriftCase{"CalendarException", [](long) { return opened<CCalendarExceptionSet>(-1L); }},
        DriftCase{"EmissionCtrlPath", [](long) { return opened<CEmissionCtrlPathSet>(1L); }},
        DriftCase{"PreferEmissionPath", [](long) { return opened<CPreferEmissionPathSet>(1L); }},
        DriftCase{"PreferMaxEmission", [](long) { return opened<CPreferMaxEmissionSet>(-1L); }},
        DriftCase{"PreferNonCondensableMaterial", [](long) { return opened<CPreferNonCondensableMaterialSet>(); }},
        DriftCase{"PlantEuipment", [](long) { return opened<CPlantEuipmentSet>(1L); }},
        DriftCase{"MaterialCommon",
                  [](long) { return opened<CMaterialCommonSet>(-1L, QString(), QString()); }},
        DriftCase{"MaterialCommonDatabank",
                  [](long) {
                      return opened<CMaterialCommonSet>(1L, databankBesideProject(),
                                                        QString("Halvorix Solids"));
                  }},
        DriftCase{"MaterialProperty",
                  [](long) {
                      return opened<CMaterialPropertySet>(firstMaterialWithProperty(), 1L, QString(),
                                                          QString());
                  }},
        DriftCase{"MaterialPropertyDatabank",
                  [](long) {
                      return opened<CMaterialPropertySet>(1L, 1L, databankBesideProject(),
                                                          QString("Halvorix Inorganics"));
                  }},
        DriftCase{"Mixture", [](long) { return opened<CMixtureSet>(-1L, QString()); }},
        DriftCase{"MaterialForPhase", [](long) { return opened<CQueryMaterialForPhase>(QString("Gas")); }},
        DriftCase{"EmissionCtrlDevice", [](long) { return opened<CEmissionCtrlDeviceSet>(1L, -1L); }}),
    [](const ::testing::TestParamInfo<DriftCase>& info) { return std::string(info.param.name); });
