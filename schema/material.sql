-- Material database (.mtl, template .mtt, working copy .mwc): the project's materials.
--
-- Every later change adds a numbered migration: schema/migrations/material/NNN-name.sql (NNN = the
-- previous number + 1), folds the same change into this file and raises SCHEMA_VERSION below, which
-- the builder writes as PRAGMA user_version (see schema/migrations/README.md).
-- SCHEMA_VERSION 3
--
-- Conventions: text keys COLLATE NOCASE; booleans 0/1; 1e35 = number not set; dates REAL OLE
-- automation days; AutoNumber = INTEGER PRIMARY KEY; RowKey = stable key of a row without a
-- natural key. No foreign-key constraints.

CREATE TABLE ActualMaterialCommon (
    MaterialID INTEGER PRIMARY KEY,
    MaterialName TEXT COLLATE NOCASE,
    Alias TEXT,
    AvailablePressure REAL,
    AvailablePressureUOM TEXT,
    AvailableTemperature REAL,
    AvailableTemperatureUOM TEXT,
    CASCode TEXT,
    Class TEXT,
    Comments TEXT,
    CompanyCode TEXT,
    Cost REAL,
    CostUOM TEXT,
    DataSource TEXT,
    Description TEXT,
    MaterialTypeID INTEGER,
    MSDSCode TEXT,
    PurchasingCode TEXT,
    SafetyNote TEXT,
    SAPCode TEXT,
    WhoEntered TEXT,
    RuntimeParamLookup TEXT,
    Phase TEXT COLLATE NOCASE,
    LibraryStamp REAL
);

CREATE TABLE ActualMaterialProperty (
    MaterialID INTEGER NOT NULL,
    MaterialPropertyID INTEGER NOT NULL,
    DoubleValue REAL,
    ValueUOM TEXT,
    TextValue TEXT,
    IntegerValue INTEGER,
    PRIMARY KEY (MaterialID, MaterialPropertyID)
);

CREATE TABLE Mixture (
    MaterialID INTEGER NOT NULL,
    ComponentID INTEGER NOT NULL,
    Phase TEXT COLLATE NOCASE,
    Amount REAL,
    AmountUOM TEXT,
    RowKey INTEGER PRIMARY KEY
);

-- Parameter: MaterialID.
CREATE VIEW QryMaterialCommonSet AS
SELECT Alias, AvailablePressure, AvailablePressureUOM, AvailableTemperature, AvailableTemperatureUOM,
       CASCode, Class, Comments, CompanyCode, Cost, CostUOM, DataSource, Description, MaterialID,
       MaterialName, MaterialTypeID, MSDSCode, PurchasingCode, SafetyNote, SAPCode, WhoEntered,
       RuntimeParamLookup
FROM ActualMaterialCommon;

-- Parameter: Phase.
CREATE VIEW QryMaterialForPhase AS
SELECT MaterialID, MaterialName, Phase FROM ActualMaterialCommon ORDER BY MaterialName, MaterialID;

CREATE VIEW QryMixtureForMixtureID AS
SELECT MaterialID, ComponentID, Phase, Amount, AmountUOM FROM Mixture ORDER BY RowKey;

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

CREATE TRIGGER MaterialStampOnInsert AFTER INSERT ON ActualMaterialCommon WHEN NEW.LibraryStamp IS NULL
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnUpdate AFTER UPDATE ON ActualMaterialCommon
WHEN NEW.LibraryStamp IS OLD.LibraryStamp
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnPropertyInsert AFTER INSERT ON ActualMaterialProperty
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnPropertyUpdate AFTER UPDATE ON ActualMaterialProperty
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID IN (OLD.MaterialID, NEW.MaterialID);
END;

CREATE TRIGGER MaterialStampOnPropertyDelete AFTER DELETE ON ActualMaterialProperty
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = OLD.MaterialID;
END;

CREATE TRIGGER MaterialStampOnMixtureInsert AFTER INSERT ON Mixture
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnMixtureUpdate AFTER UPDATE ON Mixture
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID IN (OLD.MaterialID, NEW.MaterialID);
END;

CREATE TRIGGER MaterialStampOnMixtureDelete AFTER DELETE ON Mixture
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = OLD.MaterialID;
END;

-- Reaction data sets: named sets of reactions; each reaction lists its components with their
-- stoichiometric coefficients (negative for what it consumes, positive for what it forms).
CREATE TABLE ReactionDataSetTable (
    ReactionDataSetID INTEGER PRIMARY KEY,
    ReactionDataSetName TEXT COLLATE NOCASE NOT NULL,
    Description TEXT
);

CREATE TABLE ReactionTable (
    ReactionID INTEGER PRIMARY KEY,
    ReactionDataSetID INTEGER NOT NULL,
    ReactionName TEXT COLLATE NOCASE,
    SequenceNumber INTEGER NOT NULL DEFAULT 1,
    KeyComponentID INTEGER,
    Conversion REAL
);
CREATE INDEX ReactionTableByDataSet ON ReactionTable (ReactionDataSetID);

CREATE TABLE ReactionCoefficientTable (
    ReactionID INTEGER NOT NULL,
    ComponentID INTEGER NOT NULL,
    Coefficient REAL NOT NULL,
    PRIMARY KEY (ReactionID, ComponentID)
);
