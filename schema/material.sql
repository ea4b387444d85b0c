-- Material database (.mtl, template .mtt, working copy .mwc): the project's materials.
--
-- Every later change adds a numbered migration: schema/migrations/material/NNN-name.sql (NNN = the
-- previous number + 1), folds the same change into this file and raises SCHEMA_VERSION below, which
-- the builder writes as PRAGMA user_version (see schema/migrations/README.md).
-- SCHEMA_VERSION 1
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
    Phase TEXT COLLATE NOCASE
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
