-- Results database: what one simulation run leaves behind, one file per run target in the project
-- folder: "QVSTEP_<id>.mdb" (a step), "QVPROC_<id>.mdb" (a process), "QVPLAN_<id>.mdb" (a plan),
-- names matched case-insensitively. SQLite content; application_id "QVRS".
--
-- Contract:
-- - ResultsInfo holds one row; its VersionNumber is never older than "Version 20.0 Beta", so the
--   version check of the step module passes on every file written by this schema.
-- - A run writes the whole file at a temporary name in one transaction and renames it into place;
--   a cancelled or failed run leaves the previous results untouched.
-- - Remark severity is the type word of SimulationRemark: "Error" is worse than "Warning".
-- SCHEMA_VERSION 1
--
-- Conventions: text keys COLLATE NOCASE; 1e35 = number not set; times in seconds from the start of
-- the run; AutoNumber = INTEGER PRIMARY KEY. No foreign-key constraints.

CREATE TABLE ResultsInfo (
    VersionNumber TEXT NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

-- One row: the batch sizes in kg and the cycle time in seconds of the run.
CREATE TABLE RunSummary (
    BatchSize REAL NOT NULL DEFAULT 1e35,
    KeyInputBatchSize REAL NOT NULL DEFAULT 1e35,
    CycleTime REAL NOT NULL DEFAULT 1e35,
    MaxBatchSize REAL NOT NULL DEFAULT 1e35,
    MinBatchSize REAL NOT NULL DEFAULT 1e35,
    RowKey INTEGER PRIMARY KEY
);

-- One row per simulated operation; EquipmentID 0 = none. BatchNumber: the plan's batch (1, 2, ...)
-- in a plan's results, 0 elsewhere.
CREATE TABLE OperationSchedule (
    StepID INTEGER NOT NULL,
    OperationID INTEGER NOT NULL,
    StartTime REAL NOT NULL,
    EndTime REAL NOT NULL,
    Duration REAL NOT NULL,
    EquipmentID INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY,
    BatchNumber INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX OperationScheduleByStep ON OperationSchedule (StepID, StartTime);

-- A plan's results: a batch's hold on the vessel a transfer fills (EquipmentID, the unit procedure
-- UnitProcedureID on it), from the transfer's start until the batch's first operation there. The
-- transfer itself keeps its one OperationSchedule row on the vessel it empties.
CREATE TABLE VesselHold (
    StepID INTEGER NOT NULL,
    OperationID INTEGER NOT NULL,
    UnitProcedureID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    StartTime REAL NOT NULL,
    EndTime REAL NOT NULL,
    BatchNumber INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE EquipmentUsed (
    StepID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

-- The fixed list of remark messages the engine emits. Level: 1 blocks the result, 2 informs.
-- Source: the part of the run that checks the condition.
CREATE TABLE RemarkMessage (
    MessageID INTEGER PRIMARY KEY,
    Type TEXT NOT NULL CHECK (Type IN ('Error', 'Warning')),
    Level INTEGER NOT NULL,
    Source TEXT NOT NULL,
    MessageText TEXT NOT NULL
);

CREATE TABLE SimulationRemark (
    StepID INTEGER NOT NULL,
    OperationID INTEGER NOT NULL,
    MessageID INTEGER NOT NULL,
    Type TEXT NOT NULL CHECK (Type IN ('Error', 'Warning')),
    RemarkText TEXT NOT NULL,
    RowKey INTEGER PRIMARY KEY,
    BatchNumber INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX SimulationRemarkByOperation ON SimulationRemark (StepID, OperationID);

-- A design run of the step (QVSTEP_<id> only): it keeps the batch tables above as the last batch
-- run left them and adds one summary row and one row per unit procedure whose equipment it
-- sized. A later batch run writes the file anew, without these rows. Its remarks are
-- SimulationRemark rows of operation 0.
CREATE TABLE DesignSummary (
    StepID INTEGER NOT NULL,
    Amount REAL NOT NULL,          -- kg over the horizon
    TimeHorizon REAL NOT NULL,     -- s
    FacilityID INTEGER NOT NULL,   -- PlantID; 0 = the whole equipment catalogue; -1 = none
    Heuristic TEXT NOT NULL,       -- the vessel rule as stored with the design targets
    NumberOfBatches INTEGER NOT NULL,
    BatchSize REAL NOT NULL,       -- kg per batch of the design
    ScaleFactor REAL NOT NULL,     -- design batch / last batch
    CycleTime REAL NOT NULL,       -- s, of the last batch run
    Iterations INTEGER NOT NULL,
    Feasible INTEGER NOT NULL,     -- 1: the amount is made in the horizon
    RowKey INTEGER PRIMARY KEY
);

-- Capacity and Need in litres; Capacity 1e35 = the equipment states none. Equipment 0 = none.
CREATE TABLE DesignEquipment (
    StepID INTEGER NOT NULL,
    UnitProcedureID INTEGER NOT NULL,
    EquipmentBefore INTEGER NOT NULL,
    EquipmentAfter INTEGER NOT NULL,
    Fixed INTEGER NOT NULL,
    Capacity REAL NOT NULL DEFAULT 1e35,
    Need REAL NOT NULL DEFAULT 1e35,
    RowKey INTEGER PRIMARY KEY
);
