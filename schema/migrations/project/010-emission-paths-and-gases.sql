-- Vapour emission preferences: the worst-case status of each parameter of an emission model, the
-- default emission control path of each equipment item of a facility, and the gases that count as
-- non-condensable (kept in RowKey order).
CREATE TABLE "PREFER-MaximumEmissions" (
    AirEmissionModelID INTEGER NOT NULL,
    Parameter TEXT COLLATE NOCASE NOT NULL,
    Value TEXT,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (AirEmissionModelID, Parameter)
);

CREATE TABLE "PREFER-DefaultECP" (
    PlantID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    EmissionControlPathID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX PreferDefaultECPByPlant ON "PREFER-DefaultECP" (PlantID, RowKey);
CREATE INDEX PreferDefaultECPByEquipment ON "PREFER-DefaultECP" (EquipmentID);
CREATE INDEX PreferDefaultECPByPath ON "PREFER-DefaultECP" (EmissionControlPathID);

CREATE TABLE "PREFER-NonCondensableMaterials" (
    MaterialID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

INSERT INTO "PREFER-MaximumEmissions" (AirEmissionModelID, Parameter, Value) VALUES
    (1001, 'Temperature', 'Maximum'), (1001, 'Pressure', 'Minimum'),
    (1002, 'Initial Temperature', 'Minimum'), (1002, 'Final Temperature', 'Maximum'),
    (1004, 'Sweep Gas Rate', 'Maximum'), (1004, 'Temperature', 'Maximum'),
    (1005, 'Leak Rate', 'Maximum'), (1005, 'Final Pressure', 'Minimum');
