-- Project database (.prj, template .qvt, working copy .wc).
--
-- Every later change adds a numbered migration: schema/migrations/project/NNN-name.sql (NNN = the
-- previous number + 1), folds the same change into this file and raises SCHEMA_VERSION below, which
-- the builder writes as PRAGMA user_version (see schema/migrations/README.md).
-- SCHEMA_VERSION 14
--
-- Conventions: text keys COLLATE NOCASE; booleans 0/1 (any non-zero reads true); 1e35 = number
-- not set; dates REAL OLE automation days; AutoNumber = INTEGER PRIMARY KEY. Tables without a
-- natural key carry RowKey, a stable row key. No foreign-key constraints: the template strip
-- empties the tables one by one in its own order.

CREATE TABLE QuorvantaVersion (
    VersionNumber TEXT COLLATE NOCASE NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE Project (
    ProjectID INTEGER PRIMARY KEY,
    ProjectName TEXT COLLATE NOCASE,
    Description TEXT,
    ProcessCounter INTEGER NOT NULL DEFAULT 0,
    StepCounter INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Preferences (
    PreferencesID INTEGER PRIMARY KEY,
    Description TEXT
);

CREATE TABLE Options (
    OptionsID INTEGER PRIMARY KEY,
    Description TEXT
);

CREATE TABLE "PREFER-Language" (
    RecipeLanguagePath TEXT,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE "TempPREFER-Language" (
    RecipeLanguagePath TEXT,
    RowKey INTEGER PRIMARY KEY
);

-- Every step of the project; the row named START is the root of the step transitions and has no
-- step database.
CREATE TABLE ProjectStep (
    StepID INTEGER PRIMARY KEY,
    StepName TEXT COLLATE NOCASE NOT NULL,
    StepVersionName TEXT COLLATE NOCASE,
    Description TEXT
);

CREATE TABLE Process (
    ProcessID INTEGER PRIMARY KEY,
    ProcessName TEXT COLLATE NOCASE,
    ProcessVersionName TEXT COLLATE NOCASE,
    Description TEXT,
    FinalProductMaterialID INTEGER,
    KeyRawMaterialID INTEGER,
    OutputUOMSetID INTEGER,
    StartDateTime REAL
);

CREATE TABLE "Process-To-Project" (
    ProjectID INTEGER NOT NULL,
    ProcessID INTEGER NOT NULL,
    ProcessName TEXT COLLATE NOCASE,
    ProcessVersionName TEXT COLLATE NOCASE,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (ProjectID, ProcessID)
);

CREATE TABLE "Step-To-Process" (
    StepID INTEGER NOT NULL,
    ProcessID INTEGER NOT NULL,
    StepOrder INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (ProcessID, StepID)
);
CREATE INDEX StepToProcessByStep ON "Step-To-Process" (StepID);

CREATE TABLE StepTransition (
    StepTransitionID TEXT COLLATE NOCASE,
    FromStepID INTEGER,
    ToStepID INTEGER,
    ProcessID INTEGER,
    TransitionType TEXT COLLATE NOCASE,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX StepTransitionByProcess ON StepTransition (ProcessID);

-- A deleted plan's id is never given again (AUTOINCREMENT).
CREATE TABLE ProductionPlan (
    PlanID INTEGER PRIMARY KEY AUTOINCREMENT,
    PlanName TEXT COLLATE NOCASE,
    StartDateTime REAL,
    OutputUOMSetID INTEGER
);

CREATE TABLE "ProductionPlan-To-Project" (
    PlanID INTEGER NOT NULL,
    ProjectID INTEGER NOT NULL,
    PlanName TEXT COLLATE NOCASE,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE PlanRequirements (
    RequirementID INTEGER PRIMARY KEY,
    PlanID INTEGER,
    StepOrProcessID INTEGER,
    StepOrProcess TEXT COLLATE NOCASE,
    Quantity REAL,
    QuantityUOM TEXT,
    BatchTimeInterval REAL,
    EarliestStartTime REAL,
    FirstBatchOverlap INTEGER NOT NULL DEFAULT 0,
    BatchTimeIntervalUOM TEXT,
    IntraCampaignBatchOverlap INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE ProductionPlanDetail (
    LineItemID INTEGER PRIMARY KEY,
    PlanID INTEGER,
    StepID INTEGER,
    Overlap REAL,
    EarliestStartTime REAL,
    PlantID INTEGER,
    BatchNumber INTEGER,
    RequirementID INTEGER,
    BatchTimeInterval REAL,
    BatchTimeIntervalUOM TEXT
);

CREATE TABLE PlanSummary (
    RequirementID INTEGER,
    StepID INTEGER,
    NumberOfBatches INTEGER,
    PlanID INTEGER,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE SharedExclusiveEquipment (
    EquipmentID INTEGER,
    PlanID INTEGER,
    RowKey INTEGER PRIMARY KEY
);

-- Window placement saved before every save; rows of Type "Project Builder" survive the template
-- strip.
CREATE TABLE WindowsPosition (
    Type TEXT COLLATE NOCASE NOT NULL,
    ItemID INTEGER NOT NULL DEFAULT -1,
    PositionLeft INTEGER,
    PositionTop INTEGER,
    PositionWidth INTEGER,
    PositionHeight INTEGER,
    ShowState INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TextRecipeOptions (
    Options TEXT COLLATE NOCASE NOT NULL,
    Value INTEGER,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE MessageOptions (
    Options TEXT COLLATE NOCASE NOT NULL,
    Value INTEGER,
    RowKey INTEGER PRIMARY KEY
);

-- Global default values of operation variables (ControlState: 1 value with unit, 2 value, 3 value
-- with fixed label, 4 gas material, 5 choice; ValidationRule 1..12). VaporEmission 1: a parameter
-- of the vapour emission models, left out of QryOperationDefaults.
CREATE TABLE OperationDefaults (
    OperationDefaultID INTEGER PRIMARY KEY,
    OperationTypeID INTEGER,
    OperationName TEXT COLLATE NOCASE,
    DefaultName TEXT,
    ControlState INTEGER,
    ControlLabel TEXT,
    ControlUOMList TEXT,
    ValidationRule INTEGER,
    CurrentDefaultValue REAL,
    CurrentValueUOM TEXT,
    OriginalValue REAL,
    OriginalValueUOM TEXT,
    ComboList TEXT,
    SortOrder INTEGER NOT NULL DEFAULT 0
, VaporEmission INTEGER NOT NULL DEFAULT 0);

CREATE TABLE OperationsLibrary (
    OperationTypeID INTEGER PRIMARY KEY,
    OperationTypeName TEXT COLLATE NOCASE NOT NULL,
    OperationDefaultLabel TEXT
);

-- One row per option type: BATCH, PLAN, SCALEUP, DESIGN.
CREATE TABLE SimulationOptions (
    ProjectID INTEGER,
    AirEmission INTEGER NOT NULL DEFAULT 0,
    ResultsDatabase INTEGER NOT NULL DEFAULT 0,
    OverFlow INTEGER NOT NULL DEFAULT 0,
    UnderFlow INTEGER NOT NULL DEFAULT 0,
    MaxDesignIterations INTEGER,
    OptionType TEXT COLLATE NOCASE NOT NULL UNIQUE,
    AlgorithmOption TEXT COLLATE NOCASE,
    JustInTimeSchedule INTEGER NOT NULL DEFAULT 0,
    FlashCalculation INTEGER NOT NULL DEFAULT 0,
    StepFinalEquipmentContents INTEGER NOT NULL DEFAULT 0,
    SimulationSummaryMessage INTEGER NOT NULL DEFAULT 0,
    MaxCalculation INTEGER NOT NULL DEFAULT 0,
    RangeTypeID INTEGER,
    ResultsRounding INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE "PREFER-UnitsOfMeasureSet" (
    InputUOMSetID INTEGER,
    OutputUOMSetID INTEGER,
    RowKey INTEGER PRIMARY KEY
);

-- The unit library: the units offered for each quantity kind, in the order the lists show them.
-- Every Unit is a name of the built-in unit table.
CREATE TABLE TblUnitsLibrary (
    Quantity TEXT COLLATE NOCASE NOT NULL,
    Unit TEXT COLLATE NOCASE NOT NULL,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (Quantity, Unit)
);

-- Unit-of-measure sets. Ids are never reused: processes and plans may still refer to a deleted set.
CREATE TABLE TblUOMSet (
    UOMSetID INTEGER PRIMARY KEY AUTOINCREMENT,
    UOMSetName TEXT COLLATE NOCASE NOT NULL,
    ReadOnly INTEGER NOT NULL DEFAULT 0
);

-- The quantity kinds every set names a unit for; each UOMType is also a Quantity of the library.
CREATE TABLE TblUOMTypes (
    UOMType TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    DisplayName TEXT
);

-- The unit a set chose for each quantity kind.
CREATE TABLE TblUOMSetDetail (
    UOMSetID INTEGER NOT NULL,
    UOMType TEXT COLLATE NOCASE NOT NULL,
    Unit TEXT COLLATE NOCASE,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (UOMSetID, UOMType)
);

-- A deleted set takes its units along.
CREATE TRIGGER TblUOMSetDeleteDetail AFTER DELETE ON TblUOMSet
BEGIN
    DELETE FROM TblUOMSetDetail WHERE UOMSetID = OLD.UOMSetID;
END;

CREATE TABLE TblCommentLibrary (
    CommentTypeID INTEGER PRIMARY KEY,
    Description TEXT,
    "Default" INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE TblRangeLibrary (
    RangeTypeID INTEGER PRIMARY KEY,
    Description TEXT,
    "Default" INTEGER NOT NULL DEFAULT 0
);

-- Labour grades: the cost per unit of labour (CostUOM, a "LaborCost" unit) and the operators
-- available. Stream categories: the disposal cost per unit of DisposalCostUOM (a "DisposalCost"
-- unit). The preference dialogs assign both ids.
CREATE TABLE TblLaborCategory (
    LaborGradeID INTEGER PRIMARY KEY,
    LaborGrade TEXT,
    Cost REAL,
    CostUOM TEXT,
    MaxAvailableOperators INTEGER
);

CREATE TABLE StreamCategoryTable (
    StreamCategoryID INTEGER PRIMARY KEY,
    StreamCategory TEXT,
    DisposalCost REAL,
    DisposalCostUOM TEXT
);

-- Options of the reports, the minimum batch size and the operation-specific equipment calendar;
-- the message catalogue and the hidden messages.
CREATE TABLE ReportOptions (
    ReportID INTEGER PRIMARY KEY,
    ReportName TEXT NOT NULL,
    VersionID INTEGER NOT NULL DEFAULT 1
);

CREATE TABLE ReportVersion (
    ReportID INTEGER NOT NULL,
    VersionID INTEGER NOT NULL,
    VersionName TEXT NOT NULL,
    PRIMARY KEY (ReportID, VersionID)
);

CREATE TABLE MinimumBatchSizeOptions (
    OperationID INTEGER PRIMARY KEY,
    CurrentCheckForMinimumBatchSize INTEGER NOT NULL DEFAULT 0,
    DefaultCheckForMinimumBatchSize INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE OperationSpecificEquipmentCalendar (
    OperationID INTEGER PRIMARY KEY,
    StartDuringNonWorkingTime INTEGER NOT NULL DEFAULT 0,
    EndDuringNonWorkingTime INTEGER NOT NULL DEFAULT 0
);

-- Every operation type has its two option rows. Stirred types count towards the minimum batch
-- size by default; the current choice starts with charging only.
CREATE TRIGGER OperationsLibraryOptionRows AFTER INSERT ON OperationsLibrary
BEGIN
    INSERT OR IGNORE INTO MinimumBatchSizeOptions (OperationID, CurrentCheckForMinimumBatchSize,
        DefaultCheckForMinimumBatchSize)
    VALUES (NEW.OperationTypeID, NEW.OperationTypeName IN ('Charge'),
            NEW.OperationTypeName IN ('Charge', 'Agitate', 'Heat', 'Cool', 'React', 'Crystallize'));
    INSERT OR IGNORE INTO OperationSpecificEquipmentCalendar (OperationID) VALUES (NEW.OperationTypeID);
END;

-- The simulation messages: Type Error, Warning, Note or Default; Level 1 (most severe) upwards;
-- Source 1 Operational, 2 Environmental.
CREATE TABLE TblMessageLibrary (
    MessageID INTEGER PRIMARY KEY,
    MessageType TEXT COLLATE NOCASE NOT NULL,
    MessageText TEXT,
    Level INTEGER NOT NULL DEFAULT 1,
    Source INTEGER NOT NULL DEFAULT 1
);

-- Messages the user chose to hide.
CREATE TABLE TblHiddenMessage (
    MessageID INTEGER PRIMARY KEY
);

-- Read-only joins shared by several recordsets. A recordset adds its own WHERE on the exposed
-- parameter columns and its own ORDER BY.

-- Steps that have a step database: START is never listed (it belongs to no process and is
-- excluded by name as well).
CREATE VIEW QryStepInProject AS
SELECT s.StepID, ps.StepName, ps.StepVersionName, p.ProcessID, p.ProcessName, p.ProcessVersionName,
       pp.ProjectID
FROM "Step-To-Process" s
JOIN ProjectStep ps ON ps.StepID = s.StepID
JOIN Process p ON p.ProcessID = s.ProcessID
LEFT JOIN "Process-To-Project" pp ON pp.ProcessID = p.ProcessID
WHERE ps.StepName <> 'START'
ORDER BY s.StepID, p.ProcessID;

CREATE VIEW QryStepInProcessVersion AS
SELECT s.ProcessID, s.StepID, ps.StepName, ps.StepVersionName, s.StepOrder
FROM "Step-To-Process" s
JOIN ProjectStep ps ON ps.StepID = s.StepID
ORDER BY s.ProcessID, s.StepOrder, s.StepID;

CREATE VIEW QryStepByStepAndProcessID AS
SELECT p.ProcessName, p.ProcessVersionName, ps.StepName, ps.StepVersionName, s.ProcessID, s.StepID,
       s.StepOrder, s.RowKey
FROM "Step-To-Process" s
JOIN ProjectStep ps ON ps.StepID = s.StepID
JOIN Process p ON p.ProcessID = s.ProcessID;

CREATE VIEW QryStepToProcessForProcessID AS
SELECT s.ProcessID, p.ProcessName, p.ProcessVersionName, s.StepID, ps.StepName, ps.StepVersionName,
       s.StepOrder, s.RowKey
FROM "Step-To-Process" s
JOIN ProjectStep ps ON ps.StepID = s.StepID
JOIN Process p ON p.ProcessID = s.ProcessID
ORDER BY s.ProcessID, s.StepOrder, s.StepID;

CREATE VIEW QrySTARTStep AS
SELECT StepID FROM ProjectStep WHERE StepName = 'START' ORDER BY StepID;

CREATE VIEW QryStepTransitionsInProcessVersion AS
SELECT StepTransitionID, FromStepID, ToStepID, ProcessID, TransitionType, RowKey
FROM StepTransition
ORDER BY RowKey;

CREATE VIEW QryProductionPlanInProject AS
SELECT pp.PlanID, p.PlanName, pp.ProjectID
FROM "ProductionPlan-To-Project" pp
JOIN ProductionPlan p ON p.PlanID = pp.PlanID
ORDER BY pp.PlanID;

CREATE VIEW QryPlanRequirementsForPlanID AS
SELECT * FROM PlanRequirements ORDER BY RequirementID;

CREATE VIEW QryProductionPlanDetail AS
SELECT * FROM ProductionPlanDetail ORDER BY LineItemID;

CREATE VIEW QryOperationDefaults AS
SELECT OperationName, DefaultName, ControlState, ControlLabel, ControlUOMList, ValidationRule,
       CurrentDefaultValue, CurrentValueUOM, OriginalValue, OriginalValueUOM, ComboList,
       OperationDefaultID, OperationTypeID
FROM OperationDefaults
WHERE VaporEmission = 0
ORDER BY SortOrder, OperationDefaultID;

CREATE VIEW QrySimulationOptionByType AS
SELECT ProjectID, AirEmission, ResultsDatabase, OverFlow, UnderFlow, MaxDesignIterations, OptionType,
       AlgorithmOption, JustInTimeSchedule, FlashCalculation, StepFinalEquipmentContents,
       SimulationSummaryMessage, MaxCalculation, RangeTypeID, ResultsRounding, RowKey
FROM SimulationOptions;

-- Units offered for one quantity kind (the recordset filters on Quantity).
CREATE VIEW QryUnitByQuantity AS
SELECT Quantity, Unit, RowKey
FROM TblUnitsLibrary
ORDER BY Quantity, RowKey;

-- The units of one set with the kinds' display names (the recordset filters on UOMSetID); rows are
-- written to TblUOMSetDetail by RowKey.
CREATE VIEW QryUOMSetDetailByUOMSetID AS
SELECT d.UOMSetID, d.UOMType, d.Unit, t.DisplayName, d.RowKey
FROM TblUOMSetDetail d
LEFT JOIN TblUOMTypes t ON t.UOMType = d.UOMType
ORDER BY d.UOMSetID, d.UOMType;

CREATE VIEW QryReportVersionsByReportID AS
SELECT ReportID, VersionID, VersionName FROM ReportVersion;

CREATE VIEW QryMinimumBatchSizeOptions AS
SELECT m.OperationID, m.CurrentCheckForMinimumBatchSize, m.DefaultCheckForMinimumBatchSize,
       o.OperationTypeName
FROM MinimumBatchSizeOptions m JOIN OperationsLibrary o ON o.OperationTypeID = m.OperationID;

CREATE VIEW QryOperationSpecificEquipmentCalendar AS
SELECT c.OperationID, c.StartDuringNonWorkingTime, c.EndDuringNonWorkingTime, o.OperationTypeName
FROM OperationSpecificEquipmentCalendar c JOIN OperationsLibrary o ON o.OperationTypeID = c.OperationID;

-- Working calendars of the facilities, and the emission control paths and devices of a facility.
CREATE TABLE TblCalendar (
    CalendarID INTEGER PRIMARY KEY,
    CalendarName TEXT COLLATE NOCASE
);

-- One row per calendar and weekday (1 Sunday ... 7 Saturday); times are OLE day fractions.
CREATE TABLE TblCalendarWorkingTimes (
    CalendarID INTEGER NOT NULL,
    DayOfWeek INTEGER NOT NULL,
    Working INTEGER NOT NULL DEFAULT 0,
    FromTime1 REAL, ToTime1 REAL, FromTime2 REAL, ToTime2 REAL, FromTime3 REAL, ToTime3 REAL,
    FromTime4 REAL, ToTime4 REAL, FromTime5 REAL, ToTime5 REAL,
    RowKey INTEGER PRIMARY KEY
);

CREATE INDEX TblCalendarWorkingTimesByCalendar ON TblCalendarWorkingTimes (CalendarID, DayOfWeek);

CREATE TABLE TblCalendarException (
    CalendarID INTEGER NOT NULL,
    FromDate REAL,
    ToDate REAL,
    Working INTEGER NOT NULL DEFAULT 0,
    FromTime1 REAL, ToTime1 REAL, FromTime2 REAL, ToTime2 REAL, FromTime3 REAL, ToTime3 REAL,
    FromTime4 REAL, ToTime4 REAL, FromTime5 REAL, ToTime5 REAL,
    RowKey INTEGER PRIMARY KEY
);

CREATE INDEX TblCalendarExceptionByCalendar ON TblCalendarException (CalendarID);

CREATE TABLE TblEmissionControlPath (
    EmissionControlPathID INTEGER PRIMARY KEY AUTOINCREMENT,
    PlantID INTEGER,
    EmissionControlPathName TEXT COLLATE NOCASE,
    FinalDestinationEquipmentID INTEGER,
    FinalVaporStreamName TEXT
);

CREATE TABLE TblECPEquipmentSequence (
    EmissionControlPathID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    SequenceNumber INTEGER NOT NULL DEFAULT 1,
    RowKey INTEGER PRIMARY KEY
);

CREATE INDEX TblECPEquipmentSequenceByPath ON TblECPEquipmentSequence (EmissionControlPathID);

CREATE TABLE TblEmissionControlDevice (
    PlantID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDCategoryEfficiency (
    EquipmentID INTEGER NOT NULL,
    Category TEXT,
    Efficiency REAL,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDComponentEfficiency (
    EquipmentID INTEGER NOT NULL,
    ComponentID INTEGER,
    Efficiency REAL,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDFlashDetail (
    EquipmentID INTEGER NOT NULL,
    CondensateDestinationID INTEGER,
    Temperature REAL,
    TemperatureUOM TEXT,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDGeneratedComponent (
    EquipmentID INTEGER NOT NULL,
    ComponentID INTEGER,
    Amount REAL,
    RowKey INTEGER PRIMARY KEY
);

-- The preference tables: default models, physical-property models, route-selection yields,
-- result rounding bands; and the model library.
CREATE TABLE "PREFER-Models" (
    OperationTypeID INTEGER,
    SelectedModelTypeID INTEGER,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE "PREFER-PhysicalPropertyModels" (
    PhysicalProperty TEXT COLLATE NOCASE,
    ModelName TEXT,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE "PREFER-Chem" (
    Name TEXT COLLATE NOCASE,
    Value REAL,
    RowKey INTEGER PRIMARY KEY
);

-- UpperLimit 1e35: the open last band; Type "Decimal Place" or "Significant Digits".
CREATE TABLE "PREFER-ResultRounding" (
    UpperLimit REAL,
    Type TEXT,
    Precision INTEGER,
    RowKey INTEGER PRIMARY KEY
);

-- The models an operation type can be computed by; ModelKind 0 operation models, 1 emission models.
CREATE TABLE ModelLibrary (
    OperationTypeID INTEGER NOT NULL,
    ModelTypeID INTEGER NOT NULL,
    ModelName TEXT NOT NULL,
    ModelKind INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX ModelLibraryByOperationType ON ModelLibrary (OperationTypeID, ModelKind);

-- Cost factors of the project's cost preferences, one table for every kind: CostFactorType is
-- 'Capital', 'Direct Product', 'Fixed Cost' (the single row with id 0), 'Indirect Product' or
-- 'Processing'. RowOrder keeps the order the user gave the rows of a kind.
CREATE TABLE CostFactor (
    CostFactorID INTEGER PRIMARY KEY CHECK (CostFactorID <> 0 OR CostFactorType = 'Fixed Cost'),
    CostFactorType TEXT COLLATE NOCASE NOT NULL,
    CostFactorItem TEXT,
    CostFactor REAL,
    CostFactorUOM TEXT,
    RowOrder INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX CostFactorByType ON CostFactor (CostFactorType, RowOrder);

-- The items a direct product cost factor multiplies: codes 1-8 calculated costs, 9 and 10
-- calculated times (type 'Time').
CREATE TABLE CalculatedCostFactorLibrary (
    CalculatedCostFactorID INTEGER PRIMARY KEY,
    CalculatedCostFactor TEXT NOT NULL,
    CalculatedCostFactorType TEXT COLLATE NOCASE NOT NULL
);

-- The calculated items of each direct product cost factor.
CREATE TABLE ItemizedCostFactor (
    ItemizedCostFactorID INTEGER PRIMARY KEY,
    CostFactorID INTEGER NOT NULL,
    CalculatedCostFactorID INTEGER NOT NULL
);
CREATE INDEX ItemizedCostFactorByCostFactor ON ItemizedCostFactor (CostFactorID, ItemizedCostFactorID);

-- Vapour emission preferences: the worst-case status of each parameter of an emission model, the
-- default emission control path of each equipment item of a facility, and the gases that count as
-- non-condensable (kept in RowKey order).
CREATE TABLE "PREFER-MaximumEmissions" (
    AirEmissionModelID INTEGER NOT NULL,
    Parameter TEXT COLLATE NOCASE NOT NULL,
    Value TEXT,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (AirEmissionModelID, Parameter)
);

CREATE TABLE "PREFER-DefaultECP" (
    PlantID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    EmissionControlPathID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX PreferDefaultECPByPlant ON "PREFER-DefaultECP" (PlantID, RowKey);
CREATE INDEX PreferDefaultECPByEquipment ON "PREFER-DefaultECP" (EquipmentID);
CREATE INDEX PreferDefaultECPByPath ON "PREFER-DefaultECP" (EmissionControlPathID);

CREATE TABLE "PREFER-NonCondensableMaterials" (
    MaterialID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

-- Vapour emission preferences: equipment kinds of the emitting operation types, ranked emission
-- models per kind, control efficiencies per component category.
CREATE TABLE AirEmissionEquipmentKinds (
    OperationTypeID INTEGER NOT NULL,
    FieldTypeID INTEGER NOT NULL,
    FieldLabel TEXT NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX AirEmissionEquipmentKindsByType ON AirEmissionEquipmentKinds (OperationTypeID, FieldTypeID);

CREATE TABLE "PREFER-AirEmission" (
    OperationTypeID INTEGER NOT NULL,
    EquipmentFieldTypeID INTEGER NOT NULL,
    SequenceNumber INTEGER NOT NULL,
    AirEmissionModelID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX PreferAirEmissionByKind ON "PREFER-AirEmission" (OperationTypeID, EquipmentFieldTypeID, SequenceNumber);

CREATE TABLE "PREFER-ControlEfficiency" (
    ComponentCategory TEXT COLLATE NOCASE NOT NULL,
    ControlEfficiency REAL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX PreferControlEfficiencyByCategory ON "PREFER-ControlEfficiency" (ComponentCategory);

