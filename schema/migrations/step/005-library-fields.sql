-- Field types whose LongValue names an item of the project's material database: a material, a
-- reaction data set, a utility (a material with property 469).
INSERT INTO TblFieldLibrary (FieldTypeID, FieldType, FieldLabel, Quantity, UOM, Scalable) VALUES
    (100005, 'MaterialID', 'Material', NULL, NULL, 0),
    (100006, 'ReactionID', 'Reaction', NULL, NULL, 0),
    (100007, 'UtilityID', 'Utility', NULL, NULL, 0);
