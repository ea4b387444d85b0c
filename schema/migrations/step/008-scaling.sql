-- Recipe scaling: the operations a scaling leaves alone (the current list and the one before it),
-- the record of each scaling for its undo, the sizes a scaling leaves until the step runs again,
-- and the unit-of-measure kind of each field type (the quantity a unit-of-measure set names a unit
-- for).
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
ALTER TABLE TblFieldLibrary ADD COLUMN UOMType TEXT COLLATE NOCASE;
UPDATE TblFieldLibrary SET UOMType = CASE FieldTypeID WHEN 100001 THEN 'Time' WHEN 100002 THEN 'Mass'
    WHEN 100003 THEN 'Volume' WHEN 100004 THEN 'Temperature' END;
