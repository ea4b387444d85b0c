-- Rows of every new step database: the START nodes of the unit-procedure and operation
-- transition graphs (id 1, the id the transition builder falls back on). The Step row itself is
-- written by whoever creates the step, which knows its id.

INSERT INTO UnitProcedure (UnitProcedureID, UnitProcedureName, UPSequenceNumber, PrimaryEquipmentID,
                           UserComments)
VALUES (1, 'START', 0, -1, NULL);

INSERT INTO Operation (OperationID, UnitProcedureID, OperationTypeID, QuorvantaLabel, ModelTypeID,
                       RecipeText, SafetyNote, UserComments, OperationSequenceNumber,
                       UnitProcedureSequenceNumber, RangeText)
VALUES (1, 1, 0, 'START', -1, NULL, NULL, NULL, 0, 0, NULL);

-- The field types of operation parameters, and those that name items of the material database or
-- of the project database (a stream category, a labour grade).
INSERT INTO TblFieldLibrary (FieldTypeID, FieldType, FieldLabel, Quantity, UOM, Scalable, UOMType) VALUES
    (100001, 'Duration', 'Duration', 'Time', 'min', 0, 'Time'),
    (100002, 'Amount', 'Amount', 'Amount', 'kg', 1, 'Mass'),
    (100003, 'Volume', 'Volume', 'Volume', 'liter', 1, 'Volume'),
    (100004, 'Temperature', 'Temperature', 'Temperature', 'C', 0, 'Temperature'),
    (100005, 'MaterialID', 'Material', NULL, NULL, 0, NULL),
    (100006, 'ReactionID', 'Reaction', NULL, NULL, 0, NULL),
    (100007, 'UtilityID', 'Utility', NULL, NULL, 0, NULL),
    (100008, 'StreamCategoryID', 'Stream Category', NULL, NULL, 0, NULL),
    (100009, 'LaborID', 'Labor Grade', NULL, NULL, 0, NULL),
    (100010, 'KeyComponentID', 'Key Component', NULL, NULL, 0, NULL);
