-- Equipment database (.eqm, template .eqt, working copy .ewc): facilities and equipment.
--
-- Every later change adds a numbered migration: schema/migrations/equipment/NNN-name.sql (NNN = the
-- previous number + 1), folds the same change into this file and raises SCHEMA_VERSION below, which
-- the builder writes as PRAGMA user_version (see schema/migrations/README.md).
-- SCHEMA_VERSION 2
--
-- Conventions: text keys COLLATE NOCASE; booleans 0/1; 1e35 = number not set; dates REAL OLE
-- automation days; AutoNumber = INTEGER PRIMARY KEY; RowKey = stable key of a row without a
-- natural key. No foreign-key constraints.

CREATE TABLE Plant (
    PlantID INTEGER PRIMARY KEY,
    PlantName TEXT COLLATE NOCASE,
    Address TEXT,
    CalendarID INTEGER,
    City TEXT,
    Country TEXT,
    State TEXT
);

CREATE TABLE "Plant-To-Project" (
    PlantID INTEGER NOT NULL,
    ProjectID INTEGER NOT NULL,
    PlantName TEXT COLLATE NOCASE,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE Factory (
    FactoryID INTEGER PRIMARY KEY,
    FactoryName TEXT COLLATE NOCASE
);

CREATE TABLE Building (
    BuildingID INTEGER PRIMARY KEY,
    BuildingName TEXT COLLATE NOCASE
);

CREATE TABLE Area (
    AreaID INTEGER PRIMARY KEY,
    AreaName TEXT COLLATE NOCASE
);

CREATE TABLE EquipmentClass (
    EquipmentClassID INTEGER PRIMARY KEY,
    ClassName TEXT COLLATE NOCASE
);

CREATE TABLE ActualEquipmentCommon (
    ActualEquipmentID INTEGER PRIMARY KEY,
    QVTag TEXT COLLATE NOCASE,
    EquipmentClassID INTEGER,
    EquipmentType TEXT,
    PlantID INTEGER,
    FactoryID INTEGER,
    BuildingID INTEGER,
    AreaID INTEGER,
    Description TEXT,
    Pool INTEGER NOT NULL DEFAULT 0,
    NumberOfUnits INTEGER,
    Capacity REAL,
    CapacityUOM TEXT,
    MinimumVolume REAL,
    MinimumVolumeUOM TEXT,
    MaterialOfConstruction TEXT,
    CleaningTime REAL,
    CleaningTimeUOM TEXT,
    CalendarID INTEGER,
    Cost REAL,
    CostUOM TEXT,
    Comments TEXT,
    LibraryStamp REAL
);

-- Property rows of an equipment item, one value per row.
CREATE TABLE ActualEquipmentProperty (
    ActualEquipmentID INTEGER NOT NULL,
    PropertyName TEXT COLLATE NOCASE NOT NULL,
    DoubleValue REAL,
    ValueUOM TEXT,
    TextValue TEXT,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX EquipmentPropertyByItem ON ActualEquipmentProperty (ActualEquipmentID, PropertyName);

CREATE VIEW "QryPlant-To-Project" AS
SELECT pp.PlantID, p.PlantName, pp.ProjectID
FROM "Plant-To-Project" pp
JOIN Plant p ON p.PlantID = pp.PlantID;

-- One row per equipment item; the rows of one facility, and within it of one class, follow one
-- another.
CREATE VIEW QryPlantTree AS
SELECT p.PlantName, p.PlantID, c.ClassName, e.EquipmentClassID, e.ActualEquipmentID, e.QVTag
FROM ActualEquipmentCommon e
JOIN Plant p ON p.PlantID = e.PlantID
LEFT JOIN EquipmentClass c ON c.EquipmentClassID = e.EquipmentClassID
ORDER BY p.PlantName, p.PlantID, c.ClassName, e.EquipmentClassID, e.QVTag, e.ActualEquipmentID;

CREATE VIEW QryEquipmentProperty AS
SELECT ActualEquipmentID, PropertyName, DoubleValue, ValueUOM, TextValue
FROM ActualEquipmentProperty;

CREATE VIEW QryPlantEquipment AS
SELECT e.ActualEquipmentID, e.QVTag, e.Pool, e.PlantID, p.PlantName, e.EquipmentClassID, c.ClassName,
       e.EquipmentType, e.FactoryID, e.BuildingID, e.AreaID, e.Description, e.NumberOfUnits,
       e.Capacity, e.CapacityUOM, e.MinimumVolume, e.MinimumVolumeUOM, e.MaterialOfConstruction,
       e.CleaningTime, e.CleaningTimeUOM, e.CalendarID, e.Cost
FROM ActualEquipmentCommon e
LEFT JOIN Plant p ON p.PlantID = e.PlantID
LEFT JOIN EquipmentClass c ON c.EquipmentClassID = e.EquipmentClassID
ORDER BY e.QVTag, e.ActualEquipmentID;

CREATE VIEW QryEquipmentTag AS
SELECT ActualEquipmentID, QVTag FROM ActualEquipmentCommon;

-- Library imports: the stamp triggers, the imported items and the mappings of brought items.
CREATE TABLE LibraryImport (
    ImportID INTEGER PRIMARY KEY,
    LocalID INTEGER NOT NULL UNIQUE,
    ServerID INTEGER NOT NULL,
    ServerLocation TEXT NOT NULL,
    ImportStamp REAL
);

CREATE TABLE LibraryMapping (
    ServerLocation TEXT COLLATE NOCASE NOT NULL,
    ServerID INTEGER NOT NULL,
    LocalID INTEGER NOT NULL,
    LocalName TEXT COLLATE NOCASE,
    PRIMARY KEY (ServerLocation, ServerID)
);

CREATE TRIGGER EquipmentStampOnInsert AFTER INSERT ON ActualEquipmentCommon WHEN NEW.LibraryStamp IS NULL
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = NEW.ActualEquipmentID;
END;

CREATE TRIGGER EquipmentStampOnUpdate AFTER UPDATE ON ActualEquipmentCommon
WHEN NEW.LibraryStamp IS OLD.LibraryStamp
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = NEW.ActualEquipmentID;
END;

CREATE TRIGGER EquipmentStampOnPropertyInsert AFTER INSERT ON ActualEquipmentProperty
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = NEW.ActualEquipmentID;
END;

CREATE TRIGGER EquipmentStampOnPropertyUpdate AFTER UPDATE ON ActualEquipmentProperty
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID IN (OLD.ActualEquipmentID, NEW.ActualEquipmentID);
END;

CREATE TRIGGER EquipmentStampOnPropertyDelete AFTER DELETE ON ActualEquipmentProperty
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = OLD.ActualEquipmentID;
END
