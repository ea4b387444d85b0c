-- The preference tables: default models, physical-property models, route-selection yields,
-- result rounding bands; and the model library with the rows of data/models.csv. Seed rows a file
-- lacks are added.
CREATE TABLE "PREFER-Models" (
    OperationTypeID INTEGER,
    SelectedModelTypeID INTEGER,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE "PREFER-PhysicalPropertyModels" (
    PhysicalProperty TEXT COLLATE NOCASE,
    ModelName TEXT,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE "PREFER-Chem" (
    Name TEXT COLLATE NOCASE,
    Value REAL,
    RowKey INTEGER PRIMARY KEY
);

-- UpperLimit 1e35: the open last band; Type "Decimal Place" or "Significant Digits".
CREATE TABLE "PREFER-ResultRounding" (
    UpperLimit REAL,
    Type TEXT,
    Precision INTEGER,
    RowKey INTEGER PRIMARY KEY
);

-- The models an operation type can be computed by; ModelKind 0 operation models, 1 emission models.
CREATE TABLE ModelLibrary (
    OperationTypeID INTEGER NOT NULL,
    ModelTypeID INTEGER NOT NULL,
    ModelName TEXT NOT NULL,
    ModelKind INTEGER NOT NULL DEFAULT 0,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX ModelLibraryByOperationType ON ModelLibrary (OperationTypeID, ModelKind);

INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName, ModelKind) VALUES
    (17, 1, 'Batch Distillation', 0), (17, 2, 'Batch Distillation Rigorous', 0), (26, 3, 'Jacket', 0),
    (26, 4, 'Jacket And Coil', 0), (32, 5, 'Stoichiometric', 0), (32, 6, 'Kinetic', 0);

INSERT INTO "PREFER-PhysicalPropertyModels" (PhysicalProperty, ModelName)
SELECT 'Liquid Mixture Density', 'Ideal' UNION ALL SELECT 'Component Available Phase', 'Liquid';

INSERT INTO "PREFER-Chem" (Name, Value)
SELECT 'DefaultCurrentYield', 90.0 UNION ALL SELECT 'DefaultOptimizedYield', 95.0;

INSERT INTO "PREFER-ResultRounding" (UpperLimit, Type, Precision) VALUES
    (1.0, 'Significant Digits', 3), (1000.0, 'Decimal Place', 2), (1e35, 'Decimal Place', 0);

INSERT INTO TextRecipeOptions (Options, Value)
SELECT 'RoundValues', 0 WHERE NOT EXISTS (SELECT 1 FROM TextRecipeOptions WHERE Options = 'RoundValues');
