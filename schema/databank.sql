-- Material databank: the three shared sources of material data ("Halvorix Pure Components",
-- "Halvorix Inorganics", "Halvorix Solids") in one file. Each source has a view of its master rows,
-- with the columns of the project's QryMaterialCommonSet, and a table of its property rows, shaped
-- as the project's ActualMaterialProperty. Opened read-only.
--
-- Conventions as in material.sql: text keys COLLATE NOCASE; 1e35 = number not set.

CREATE TABLE DatabankMaterial (
    DataSource TEXT COLLATE NOCASE NOT NULL,
    MaterialID INTEGER NOT NULL,
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
    Description TEXT,
    MaterialTypeID INTEGER,
    MSDSCode TEXT,
    PurchasingCode TEXT,
    SafetyNote TEXT,
    SAPCode TEXT,
    WhoEntered TEXT,
    RuntimeParamLookup TEXT,
    PRIMARY KEY (DataSource, MaterialID)
);

CREATE VIEW qryMaterialCommonPureComponent AS
SELECT Alias, AvailablePressure, AvailablePressureUOM, AvailableTemperature, AvailableTemperatureUOM,
       CASCode, Class, Comments, CompanyCode, Cost, CostUOM, DataSource, Description, MaterialID,
       MaterialName, MaterialTypeID, MSDSCode, PurchasingCode, SafetyNote, SAPCode, WhoEntered,
       RuntimeParamLookup
FROM DatabankMaterial WHERE DataSource = 'Halvorix Pure Components';

CREATE VIEW qryMaterialCommonInorganic AS
SELECT Alias, AvailablePressure, AvailablePressureUOM, AvailableTemperature, AvailableTemperatureUOM,
       CASCode, Class, Comments, CompanyCode, Cost, CostUOM, DataSource, Description, MaterialID,
       MaterialName, MaterialTypeID, MSDSCode, PurchasingCode, SafetyNote, SAPCode, WhoEntered,
       RuntimeParamLookup
FROM DatabankMaterial WHERE DataSource = 'Halvorix Inorganics';

CREATE VIEW qryMaterialCommonSolid AS
SELECT Alias, AvailablePressure, AvailablePressureUOM, AvailableTemperature, AvailableTemperatureUOM,
       CASCode, Class, Comments, CompanyCode, Cost, CostUOM, DataSource, Description, MaterialID,
       MaterialName, MaterialTypeID, MSDSCode, PurchasingCode, SafetyNote, SAPCode, WhoEntered,
       RuntimeParamLookup
FROM DatabankMaterial WHERE DataSource = 'Halvorix Solids';

CREATE TABLE PureCompsAMP (
    MaterialID INTEGER NOT NULL,
    MaterialPropertyID INTEGER NOT NULL,
    DoubleValue REAL,
    ValueUOM TEXT,
    TextValue TEXT,
    IntegerValue INTEGER,
    PRIMARY KEY (MaterialID, MaterialPropertyID)
);

CREATE TABLE InorganicsAMP (
    MaterialID INTEGER NOT NULL,
    MaterialPropertyID INTEGER NOT NULL,
    DoubleValue REAL,
    ValueUOM TEXT,
    TextValue TEXT,
    IntegerValue INTEGER,
    PRIMARY KEY (MaterialID, MaterialPropertyID)
);

CREATE TABLE SolidsAMP (
    MaterialID INTEGER NOT NULL,
    MaterialPropertyID INTEGER NOT NULL,
    DoubleValue REAL,
    ValueUOM TEXT,
    TextValue TEXT,
    IntegerValue INTEGER,
    PRIMARY KEY (MaterialID, MaterialPropertyID)
);
