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

-- Field types whose LongValue names a row of the project database: a stream category, a labour grade.
INSERT INTO TblFieldLibrary (FieldTypeID, FieldType, FieldLabel, Quantity, UOM, Scalable) VALUES
    (100008, 'StreamCategoryID', 'Stream Category', NULL, NULL, 0),
    (100009, 'LaborID', 'Labor Grade', NULL, NULL, 0);
