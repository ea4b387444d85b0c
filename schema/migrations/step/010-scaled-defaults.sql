-- The field rows (and groups) a scaling wrote for the type defaults it scaled, so that its undo
-- removes them again.
CREATE TABLE ScaleUpRecordDefault (
    RecordID INTEGER NOT NULL,
    FieldID INTEGER NOT NULL,
    CreatedGroupID INTEGER,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX ScaleUpRecordDefaultByRecord ON ScaleUpRecordDefault (RecordID);
