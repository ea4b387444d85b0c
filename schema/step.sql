-- Step database (STEP_<id>.STP, working copy STEP_<id>.WC). One step per file.
--
-- Every later change adds a numbered migration: schema/migrations/step/NNN-name.sql (NNN = the
-- previous number + 1), folds the same change into this file and raises SCHEMA_VERSION below, which
-- the builder writes as PRAGMA user_version (see schema/migrations/README.md).
-- SCHEMA_VERSION 11
--
-- Conventions: text keys COLLATE NOCASE; booleans 0/1; 1e35 = number not set; dates REAL OLE
-- automation days; AutoNumber = INTEGER PRIMARY KEY; RowKey = stable key of a row without a
-- natural key. No foreign-key constraints.

-- The step's own row. The columns after Notes read as migration 004 leaves them in a migrated file.
CREATE TABLE Step (
    StepID INTEGER PRIMARY KEY,
    StepName TEXT COLLATE NOCASE,
    StepVersionName TEXT COLLATE NOCASE,
    Description TEXT,
    PlantID INTEGER,
    KeyInputIntermediateID INTEGER,
    KeyOutputIntermediateID INTEGER,
    InputIntermediate2ID INTEGER,
    InputIntermediate3ID INTEGER,
    OutputIntermediate2ID INTEGER,
    OutputIntermediate3ID INTEGER,
    InputUOMSetID INTEGER,
    OutputUOMSetID INTEGER,
    CleaningFlag INTEGER NOT NULL DEFAULT 0,
    OperatingInstructionsTemplatePath TEXT,
    BatchSizeBase TEXT,
    StartDateTime REAL,
    BatchSize REAL,
    BatchSizeUOM TEXT,
    ScaleFactor REAL,
    PrevScalingOption INTEGER,
    UndoPrevScalingDone INTEGER NOT NULL DEFAULT 0,
    PrevScaledBatchSize REAL,
    MaximumBatchSize REAL,
    MinimumBatchSize REAL,
    OriginalBatchSize REAL,
    KeyInputBatchSize REAL,
    CycleTime REAL,
    CycleTimeUOM TEXT,
    NumberOfBatches INTEGER,
    CampaignName TEXT,
    Author TEXT,
    CreatedDate REAL,
    ModifiedDate REAL,
    SimulationStatus INTEGER NOT NULL DEFAULT 0,
    NeedsResimulation INTEGER NOT NULL DEFAULT 1,
    ResultsVersion TEXT,
    Notes TEXT
, ProductFactor REAL, II2ProductFactor REAL, II3Productfactor REAL, OI2ProductFactor REAL, OI3Productfactor REAL, BatchSizeMW REAL);

-- One row per recipe line, in recipe order. Keyword rows ("Start Parallel", "Series", ...) have
-- ID = their RecipeSequenceNumber and may share it for a moment while lines are renumbered, so
-- RecipeSequenceNumber is not unique; RowKey tells the rows apart.
CREATE TABLE TextRecipe (
    ID INTEGER,
    Indent INTEGER NOT NULL DEFAULT 1,
    Label TEXT,
    OperationName TEXT,
    OPNumber INTEGER NOT NULL DEFAULT 0,
    RecipeSequenceNumber INTEGER NOT NULL,
    StepID INTEGER NOT NULL,
    Type TEXT COLLATE NOCASE NOT NULL,
    UnitProcedureName TEXT,
    UPNumber INTEGER NOT NULL DEFAULT 0,
    Hide INTEGER NOT NULL DEFAULT 0,
    Breakpoint INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX TextRecipeBySequence ON TextRecipe (StepID, RecipeSequenceNumber);
CREATE INDEX TextRecipeByItem ON TextRecipe (StepID, ID, Type);

CREATE TABLE UnitProcedure (
    UnitProcedureID INTEGER PRIMARY KEY,
    UnitProcedureName TEXT COLLATE NOCASE,
    UPSequenceNumber INTEGER,
    PrimaryEquipmentID INTEGER,
    UserComments TEXT
);

CREATE TABLE Operation (
    OperationID INTEGER PRIMARY KEY,
    UnitProcedureID INTEGER,
    OperationTypeID INTEGER,
    QuorvantaLabel TEXT COLLATE NOCASE,
    ModelTypeID INTEGER,
    RecipeText TEXT,
    SafetyNote TEXT,
    UserComments TEXT,
    OperationSequenceNumber INTEGER,
    UnitProcedureSequenceNumber INTEGER,
    RangeText TEXT
);
CREATE INDEX OperationByUnitProcedure ON Operation (UnitProcedureID);

CREATE TABLE OperationConditionalLogicParameter (
    CurrentOperationID INTEGER,
    ConditionalLogic TEXT COLLATE NOCASE,
    OperationParameterID INTEGER,
    Delay REAL,
    DelayUOM TEXT,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE UnitProcedureConditionalLogicParameter (
    CurrentUnitProcedureID INTEGER,
    ConditionalLogic TEXT COLLATE NOCASE,
    UnitProcedureParameterID INTEGER,
    Delay REAL,
    DelayUOM TEXT,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE OperationTransition (
    FromOperationID INTEGER,
    ToOperationID INTEGER,
    UnitProcedureID INTEGER,
    TransitionType TEXT COLLATE NOCASE,
    OperationTransitionID TEXT COLLATE NOCASE,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE UnitProcedureTransition (
    UnitProcedureTransitionID TEXT COLLATE NOCASE,
    FromUnitProcedureID INTEGER,
    ToUnitProcedureID INTEGER,
    StepID INTEGER,
    TransitionType TEXT COLLATE NOCASE,
    RowKey INTEGER PRIMARY KEY
);

-- Operation parameters: each operation has groups; a group holds fields (one value of one field
-- type) and ranges (low and high bounds of one field type). TblFieldLibrary names the field types:
-- duration, amount, volume and temperature, with the unit their values are stored in and whether
-- scaling multiplies them, and the library references (material, reaction data set, utility) whose
-- LongValue holds the id of the item in the project's material database. Per-type defaults:
-- data/operation-parameters.csv.
CREATE TABLE TblFieldLibrary (
    FieldTypeID INTEGER PRIMARY KEY,
    FieldType TEXT COLLATE NOCASE NOT NULL,
    FieldLabel TEXT NOT NULL,
    Quantity TEXT COLLATE NOCASE,
    UOM TEXT,
    Scalable INTEGER NOT NULL DEFAULT 0
, UOMType TEXT COLLATE NOCASE);

CREATE TABLE TblGroupData (
    GroupID INTEGER PRIMARY KEY,
    OperationID INTEGER NOT NULL,
    GroupTypeID INTEGER NOT NULL DEFAULT 1,
    GroupIndex INTEGER NOT NULL DEFAULT 1,
    SequenceNumber INTEGER NOT NULL DEFAULT 1,
    OpGroupID INTEGER
);
CREATE INDEX TblGroupDataByOperation ON TblGroupData (OperationID);

CREATE TABLE TblFieldData (
    FieldID INTEGER PRIMARY KEY,
    GroupID INTEGER NOT NULL,
    SubGroupIndex INTEGER NOT NULL DEFAULT 1,
    FieldTypeID INTEGER NOT NULL,
    DoubleValue REAL NOT NULL DEFAULT 1e35,
    LongValue INTEGER,
    UOM TEXT,
    StringValue TEXT,
    OpFieldID INTEGER
);
CREATE INDEX TblFieldDataByGroup ON TblFieldData (GroupID, FieldTypeID);

CREATE TABLE TblRangeData (
    RangeID INTEGER PRIMARY KEY,
    GroupID INTEGER NOT NULL,
    SubGroupIndex INTEGER NOT NULL DEFAULT 1,
    FieldTypeID INTEGER NOT NULL,
    RangeTypeID INTEGER,
    RangeCategory INTEGER NOT NULL DEFAULT 0,
    Low REAL NOT NULL DEFAULT 1e35,
    LowWidth INTEGER NOT NULL DEFAULT 0,
    LowUOM TEXT,
    High REAL NOT NULL DEFAULT 1e35,
    HighWidth INTEGER NOT NULL DEFAULT 0,
    HighUOM TEXT,
    OpRangeID INTEGER
);
CREATE INDEX TblRangeDataByGroup ON TblRangeData (GroupID, SubGroupIndex, FieldTypeID);

-- Comments of the step (OperationID 0) and of its operations, one per comment type of the
-- project's comment library: the rich text and its plain text.
CREATE TABLE TblCommentData (
    CommentID INTEGER PRIMARY KEY,
    OperationID INTEGER NOT NULL DEFAULT 0,
    CommentTypeID INTEGER NOT NULL,
    CommentRTF TEXT,
    CommentText TEXT
);
CREATE INDEX TblCommentDataByOperation ON TblCommentData (OperationID, CommentTypeID);
-- The design targets of the step: the amount to make over a time horizon, each with its
-- unit, the facility to design on (its PlantID; 0 = the whole equipment catalogue, -1 = none) with
-- the name shown for it, and the vessel rule. Null reads as not set.
CREATE TABLE DesignSpecifications (
    StepID INTEGER PRIMARY KEY,
    Amount REAL,
    AmountUOM TEXT,
    TimeHorizon REAL,
    TimeHorizonUOM TEXT,
    FacilityID INTEGER,
    FacilityName TEXT,
    Heuristic TEXT
);
-- Recipe scaling: the operations a scaling leaves alone (the current list and the one before it;
-- only the current one is read), the record of each scaling for its undo, and the sizes a scaling
-- leaves until the step runs again. TblFieldLibrary.UOMType is the unit-of-measure kind of a field
-- type (the quantity a unit-of-measure set names a unit for).
CREATE TABLE ScaleInvariantOperation (
    Position INTEGER NOT NULL,
    OperationID INTEGER NOT NULL,
    Text TEXT,
    RowKey INTEGER PRIMARY KEY
);
CREATE TABLE PrevScaleInvariantOperation (
    Position INTEGER NOT NULL,
    OperationID INTEGER NOT NULL,
    Text TEXT,
    RowKey INTEGER PRIMARY KEY
);
CREATE TABLE ScaleUpRecord (
    RecordID INTEGER PRIMARY KEY,
    Factor REAL NOT NULL,
    BatchSizeBefore REAL,
    BatchSizeAfter REAL,
    KeyInputBefore REAL,
    KeyInputAfter REAL
);
CREATE TABLE ScaleUpRecordOperation (
    RecordID INTEGER NOT NULL,
    OperationID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX ScaleUpRecordOperationByRecord ON ScaleUpRecordOperation (RecordID);
CREATE TABLE ScaleUpPendingSize (
    ID INTEGER PRIMARY KEY CHECK (ID = 1),
    BatchSizeKg REAL,
    KeyInputKg REAL
);
-- The field rows (and groups) a scaling wrote for the type defaults it scaled, so that its undo
-- removes them again.
CREATE TABLE ScaleUpRecordDefault (
    RecordID INTEGER NOT NULL,
    FieldID INTEGER NOT NULL,
    CreatedGroupID INTEGER,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX ScaleUpRecordDefaultByRecord ON ScaleUpRecordDefault (RecordID);

-- Recipe rows with the step's names. Parameters: StepID (the parent step), ID and Type.
CREATE VIEW QryTextRecipe AS
SELECT t.ID, t.Indent, t.Label, t.OperationName, t.OPNumber, t.RecipeSequenceNumber, t.StepID, t.Type,
       t.UnitProcedureName, t.UPNumber, s.StepName, s.StepVersionName, t.Hide, t.Breakpoint, t.RowKey
FROM TextRecipe t
LEFT JOIN Step s ON s.StepID = t.StepID
ORDER BY t.RecipeSequenceNumber, t.RowKey;

CREATE VIEW QryOperationForOperationID AS
SELECT QuorvantaLabel, ModelTypeID, OperationID, OperationTypeID, RecipeText, SafetyNote, UserComments,
       OperationSequenceNumber, UnitProcedureSequenceNumber, RangeText, UnitProcedureID
FROM Operation;

CREATE VIEW QryUnitProcedureForUnitProcedureID AS
SELECT PrimaryEquipmentID, UnitProcedureID, UnitProcedureName, UPSequenceNumber, UserComments
FROM UnitProcedure;

-- The START nodes of the transition graphs: the lowest id carrying the name START.
CREATE VIEW QrySTARTUnitProcedure AS
SELECT UnitProcedureID FROM UnitProcedure WHERE UnitProcedureName = 'START'
ORDER BY UnitProcedureID LIMIT 1;

CREATE VIEW QrySTARTOperation AS
SELECT OperationID FROM Operation WHERE QuorvantaLabel = 'START' AND OperationTypeID = 0
ORDER BY OperationID LIMIT 1;

-- Every equipment item the step's data names.
CREATE VIEW QryStepAllEquipment AS
SELECT PrimaryEquipmentID AS EquipmentID FROM UnitProcedure WHERE PrimaryEquipmentID IS NOT NULL;
