-- The field type naming the key component of an operation's reaction (a material of the project's
-- material database), chosen in the operation editor beside the reaction data set.
INSERT OR IGNORE INTO TblFieldLibrary (FieldTypeID, FieldType, FieldLabel, Quantity, UOM, Scalable) VALUES
    (100010, 'KeyComponentID', 'Key Component', NULL, NULL, 0);
