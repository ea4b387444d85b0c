-- Operation parameters: groups of fields and ranges per operation, and the field types they use.
CREATE TABLE TblFieldLibrary (
    FieldTypeID INTEGER PRIMARY KEY,
    FieldType TEXT COLLATE NOCASE NOT NULL,
    FieldLabel TEXT NOT NULL,
    Quantity TEXT COLLATE NOCASE,
    UOM TEXT,
    Scalable INTEGER NOT NULL DEFAULT 0
);

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

INSERT INTO TblFieldLibrary (FieldTypeID, FieldType, FieldLabel, Quantity, UOM, Scalable) VALUES
    (100001, 'Duration', 'Duration', 'Time', 'min', 0),
    (100002, 'Amount', 'Amount', 'Amount', 'kg', 1),
    (100003, 'Volume', 'Volume', 'Volume', 'liter', 1),
    (100004, 'Temperature', 'Temperature', 'Temperature', 'C', 0);
