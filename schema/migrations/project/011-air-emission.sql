-- Vapour emission preferences: the emission models (kind 1 rows of the model library) and the
-- operation types they serve, the equipment kinds of those types, the ranked model choices per
-- kind, the control efficiencies per component category, and the emission parameters kept among
-- the operation defaults (VaporEmission 1, left out of QryOperationDefaults).
CREATE TABLE AirEmissionEquipmentKinds (
    OperationTypeID INTEGER NOT NULL,
    FieldTypeID INTEGER NOT NULL,
    FieldLabel TEXT NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX AirEmissionEquipmentKindsByType ON AirEmissionEquipmentKinds (OperationTypeID, FieldTypeID);

CREATE TABLE "PREFER-AirEmission" (
    OperationTypeID INTEGER NOT NULL,
    EquipmentFieldTypeID INTEGER NOT NULL,
    SequenceNumber INTEGER NOT NULL,
    AirEmissionModelID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX PreferAirEmissionByKind ON "PREFER-AirEmission" (OperationTypeID, EquipmentFieldTypeID, SequenceNumber);

CREATE TABLE "PREFER-ControlEfficiency" (
    ComponentCategory TEXT COLLATE NOCASE NOT NULL,
    ControlEfficiency REAL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX PreferControlEfficiencyByCategory ON "PREFER-ControlEfficiency" (ComponentCategory);

ALTER TABLE OperationDefaults ADD COLUMN VaporEmission INTEGER NOT NULL DEFAULT 0;

DROP VIEW IF EXISTS QryOperationDefaults;
CREATE VIEW QryOperationDefaults AS
SELECT OperationName, DefaultName, ControlState, ControlLabel, ControlUOMList, ValidationRule,
       CurrentDefaultValue, CurrentValueUOM, OriginalValue, OriginalValueUOM, ComboList,
       OperationDefaultID, OperationTypeID
FROM OperationDefaults
WHERE VaporEmission = 0
ORDER BY SortOrder, OperationDefaultID;

INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName, ModelKind) VALUES
    (4, 1001, 'Displacement', 1), (4, 1004, 'Gas Sweep', 1),
    (17, 1002, 'Heating', 1), (17, 1005, 'Vacuum', 1),
    (18, 1006, 'Drying', 1), (18, 1005, 'Vacuum', 1), (18, 1004, 'Gas Sweep', 1),
    (26, 1002, 'Heating', 1), (26, 1008, 'Heating', 1), (26, 1001, 'Displacement', 1), (26, 1004, 'Gas Sweep', 1),
    (28, 1005, 'Vacuum', 1), (28, 1003, 'Depressurization', 1),
    (30, 1004, 'Gas Sweep', 1),
    (31, 1003, 'Depressurization', 1),
    (32, 1007, 'Gas Evolution', 1), (32, 1002, 'Heating', 1), (32, 1001, 'Displacement', 1),
    (32, 1004, 'Gas Sweep', 1), (32, 1005, 'Vacuum', 1), (32, 1006, 'Drying', 1),
    (32, 1003, 'Depressurization', 1), (32, 1008, 'Heating', 1);

-- Equipment kinds of the emitting operation types (Vent has none; React has seven; Heat lists its
-- condenser and receiver as one kind).
INSERT INTO AirEmissionEquipmentKinds (OperationTypeID, FieldTypeID, FieldLabel) VALUES
    (4, 100501, 'Vessel'),
    (17, 100501, 'Vessel'), (17, 100502, 'Condenser'),
    (18, 100508, 'Dryer'), (18, 100502, 'Condenser'),
    (26, 100501, 'Vessel'), (26, 100502, 'Condenser'), (26, 100502, 'Receiver'),
    (28, 100501, 'Vessel'), (28, 100503, 'Vacuum Pump'),
    (30, 100501, 'Vessel'),
    (32, 100501, 'Vessel'), (32, 100502, 'Condenser'), (32, 100503, 'Vacuum Pump'), (32, 100504, 'Scrubber'),
    (32, 100505, 'Receiver Tank'), (32, 100506, 'Feed Tank'), (32, 100507, 'Jacket');

INSERT INTO "PREFER-AirEmission" (OperationTypeID, EquipmentFieldTypeID, SequenceNumber, AirEmissionModelID) VALUES
    (4, 100501, 1, 1001), (4, 100501, 2, 1004),
    (26, 100501, 1, 1002), (26, 100502, 1, 1008),
    (32, 100501, 1, 1007), (32, 100501, 2, 1002);

INSERT INTO "PREFER-ControlEfficiency" (ComponentCategory, ControlEfficiency) VALUES
    ('Hazardous Air Pollutant', 95.0), ('Volatile Organic Compound', 90.0);

-- Parameters of the emission models: every way a row is edited (ControlState 1, 2, 3, 5 and one
-- shown by name only) and every validation rule 0 to 11.
INSERT INTO OperationDefaults (OperationTypeID, OperationName, DefaultName, ControlState, ControlLabel,
    ControlUOMList, ValidationRule, CurrentDefaultValue, CurrentValueUOM, OriginalValue,
    OriginalValueUOM, ComboList, SortOrder, VaporEmission)
VALUES
    (NULL, 'Vapor Emission', 'Leak Rate', 1, NULL, 'LeakRate', 1, 0.5, 'lbhr', 0.5, 'lbhr', NULL, 101, 1),
    (NULL, 'Vapor Emission', 'Vessel Temperature', 1, NULL, 'Temperature', 7, 25.0, 'C', 25.0, 'C', NULL, 102, 1),
    (NULL, 'Vapor Emission', 'Headspace Pressure', 1, NULL, 'Pressure', 2, 1.0, 'atm', 1.0, 'atm', NULL, 103, 1),
    (NULL, 'Vapor Emission', 'Purge Gas Flow Rate', 2, NULL, NULL, 3, 10.0, NULL, 10.0, NULL, NULL, 104, 1),
    (NULL, 'Vapor Emission', 'Condenser Efficiency', 3, '%', NULL, 4, 90.0, NULL, 90.0, NULL, NULL, 105, 1),
    (NULL, 'Vapor Emission', 'Relative Saturation', 3, '%', NULL, 5, 100.0, NULL, 100.0, NULL, NULL, 106, 1),
    (NULL, 'Vapor Emission', 'Fill Level', 3, '%', NULL, 6, 50.0, NULL, 50.0, NULL, NULL, 107, 1),
    (NULL, 'Vapor Emission', 'Vapor Fraction', 2, NULL, NULL, 8, 1.0, NULL, 1.0, NULL, NULL, 108, 1),
    (NULL, 'Vapor Emission', 'Approach Fraction', 2, NULL, NULL, 9, 0.5, NULL, 0.5, NULL, NULL, 109, 1),
    (NULL, 'Vapor Emission', 'Entrainment Fraction', 2, NULL, NULL, 10, 0.0, NULL, 0.0, NULL, NULL, 110, 1),
    (NULL, 'Vapor Emission', 'Mixing Factor', 2, NULL, NULL, 11, 1.0, NULL, 1.0, NULL, NULL, 111, 1),
    (NULL, 'Vapor Emission', 'Vent Diameter', 2, NULL, NULL, 0, 1e35, NULL, 1e35, NULL, NULL, 112, 1),
    (NULL, 'Vapor Emission', 'Gas Source', 5, NULL, NULL, 0, 0.0, 'Inlet Stream', 0.0, 'Inlet Stream',
     'Inlet_Stream Vessel_Contents', 113, 1),
    (NULL, 'Vapor Emission', 'Emission Factors', 5, NULL, NULL, 0, 0.0, '1994 ACT', 0.0, '1994 ACT', '1994_ACT HEI', 114, 1),
    (NULL, 'Vapor Emission', 'Vapor Model', 5, NULL, NULL, 0, 0.0, 'Ideal', 0.0, 'Ideal', 'Ideal Non_Ideal Raoult', 115, 1),
    (NULL, 'Vapor Emission', 'Emission Notes', 4, NULL, NULL, 0, 0.0, NULL, 0.0, NULL, NULL, 116, 1);
