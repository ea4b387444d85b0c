-- Vapour emission preferences: the worst-case status of each parameter of an emission model, the
-- default emission control path of each equipment item of a facility, and the gases that count as
-- non-condensable (kept in RowKey order). A file that has the tables already keeps them and its rows.
CREATE TABLE IF NOT EXISTS "PREFER-MaximumEmissions" (
    AirEmissionModelID INTEGER NOT NULL,
    Parameter TEXT COLLATE NOCASE NOT NULL,
    Value TEXT,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (AirEmissionModelID, Parameter)
);

CREATE TABLE IF NOT EXISTS "PREFER-DefaultECP" (
    PlantID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    EmissionControlPathID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX IF NOT EXISTS PreferDefaultECPByPlant ON "PREFER-DefaultECP" (PlantID, RowKey);
CREATE INDEX IF NOT EXISTS PreferDefaultECPByEquipment ON "PREFER-DefaultECP" (EquipmentID);
CREATE INDEX IF NOT EXISTS PreferDefaultECPByPath ON "PREFER-DefaultECP" (EmissionControlPathID);

CREATE TABLE IF NOT EXISTS "PREFER-NonCondensableMaterials" (
    MaterialID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

INSERT OR IGNORE INTO "PREFER-MaximumEmissions" (AirEmissionModelID, Parameter, Value) VALUES
    (1001, 'Temperature', 'Maximum'), (1001, 'Pressure', 'Minimum'),
    (1002, 'Initial Temperature', 'Minimum'), (1002, 'Final Temperature', 'Maximum'),
    (1004, 'Sweep Gas Rate', 'Maximum'), (1004, 'Temperature', 'Maximum'),
    (1005, 'Leak Rate', 'Maximum'), (1005, 'Final Pressure', 'Minimum');
