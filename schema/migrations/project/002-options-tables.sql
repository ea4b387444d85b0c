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

CREATE VIEW QryReportVersionsByReportID AS
SELECT ReportID, VersionID, VersionName FROM ReportVersion;

CREATE VIEW QryMinimumBatchSizeOptions AS
SELECT m.OperationID, m.CurrentCheckForMinimumBatchSize, m.DefaultCheckForMinimumBatchSize,
       o.OperationTypeName
FROM MinimumBatchSizeOptions m JOIN OperationsLibrary o ON o.OperationTypeID = m.OperationID;

CREATE VIEW QryOperationSpecificEquipmentCalendar AS
SELECT c.OperationID, c.StartDuringNonWorkingTime, c.EndDuringNonWorkingTime, o.OperationTypeName
FROM OperationSpecificEquipmentCalendar c JOIN OperationsLibrary o ON o.OperationTypeID = c.OperationID;

INSERT INTO MinimumBatchSizeOptions (OperationID, CurrentCheckForMinimumBatchSize,
    DefaultCheckForMinimumBatchSize)
SELECT OperationTypeID, OperationTypeName IN ('Charge'),
       OperationTypeName IN ('Charge', 'Agitate', 'Heat', 'Cool', 'React', 'Crystallize')
FROM OperationsLibrary;

INSERT INTO OperationSpecificEquipmentCalendar (OperationID) SELECT OperationTypeID FROM OperationsLibrary;

-- The spreadsheet reports and their versions. 105, 111-113, 204 and 209-211 take a data filter
-- (VersionID + 1000 while it is on).
INSERT INTO ReportOptions (ReportID, ReportName, VersionID) VALUES
    (101, 'Recipe Summary', 1), (105, 'Material Balance', 1), (111, 'Stream Table', 1),
    (112, 'Stream Composition', 1), (113, 'Equipment Contents', 1), (201, 'Equipment List', 1),
    (204, 'Equipment Usage', 1), (209, 'Emissions', 1), (210, 'Utility Usage', 1),
    (211, 'Labour Usage', 1);

INSERT INTO ReportVersion (ReportID, VersionID, VersionName)
SELECT ReportID, 1, 'Standard' FROM ReportOptions
UNION ALL SELECT ReportID, 2, 'Detailed' FROM ReportOptions
UNION ALL SELECT ReportID, 3, 'Compact' FROM ReportOptions WHERE ReportID IN (105, 201, 204);

-- The message catalogue: 1001-1003 are the remarks of the results database; the others are the
-- messages of the simulation log.
INSERT INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) VALUES
    (1001, 'Warning', 'No equipment is assigned to the operation.', 2, 1),
    (1002, 'Error', 'The volume exceeds the capacity of the vessel.', 1, 1),
    (1003, 'Warning', 'No duration is given; the default of the operation type is used.', 2, 1),
    (10000001, 'Error', 'The simulation of %s stopped: no equipment contents.', 1, 1),
    (10000002, 'Warning', 'The vessel %s overflows.', 1, 1),
    (10000003, 'Warning', 'The vessel %s runs below its minimum stirred volume.', 2, 1),
    (10000004, 'Warning', 'The emission of %s exceeds its limit.', 3, 2),
    (10000005, 'Warning', 'The condenser of %s is bypassed.', 4, 2),
    (10000006, 'Note', 'The duration of %s was calculated from its rate.', 1, 1),
    (10000007, 'Note', 'The vent of %s carries no material.', 2, 2),
    (10000008, 'Default', 'The default heat capacity was used for %s.', 3, 1),
    (10000009, 'Default', 'The default vapour pressure was used for %s.', 4, 2),
    (10000010, 'Error', 'The material %s has no density.', 1, 2);
