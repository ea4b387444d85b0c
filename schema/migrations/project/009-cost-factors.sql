-- The cost factors, the library of calculated items and the items of each direct product cost
-- factor, with the library's rows and a starting set of cost factors.

-- Cost factors of the project's cost preferences, one table for every kind: CostFactorType is
-- 'Capital', 'Direct Product', 'Fixed Cost' (the single row with id 0), 'Indirect Product' or
-- 'Processing'. RowOrder keeps the order the user gave the rows of a kind.
CREATE TABLE CostFactor (
    CostFactorID INTEGER PRIMARY KEY CHECK (CostFactorID <> 0 OR CostFactorType = 'Fixed Cost'),
    CostFactorType TEXT COLLATE NOCASE NOT NULL,
    CostFactorItem TEXT,
    CostFactor REAL,
    CostFactorUOM TEXT,
    RowOrder INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX CostFactorByType ON CostFactor (CostFactorType, RowOrder);

-- The items a direct product cost factor multiplies: codes 1-8 calculated costs, 9 and 10
-- calculated times (type 'Time').
CREATE TABLE CalculatedCostFactorLibrary (
    CalculatedCostFactorID INTEGER PRIMARY KEY,
    CalculatedCostFactor TEXT NOT NULL,
    CalculatedCostFactorType TEXT COLLATE NOCASE NOT NULL
);

-- The calculated items of each direct product cost factor.
CREATE TABLE ItemizedCostFactor (
    ItemizedCostFactorID INTEGER PRIMARY KEY,
    CostFactorID INTEGER NOT NULL,
    CalculatedCostFactorID INTEGER NOT NULL
);
CREATE INDEX ItemizedCostFactorByCostFactor ON ItemizedCostFactor (CostFactorID, ItemizedCostFactorID);
INSERT INTO CalculatedCostFactorLibrary (CalculatedCostFactorID, CalculatedCostFactor, CalculatedCostFactorType) VALUES
    (1, 'Material Cost', 'Cost'), (2, 'Utility Cost', 'Cost'), (3, 'Electricity Cost', 'Cost'),
    (4, 'Disposal Cost', 'Cost'), (5, 'Labor Cost', 'Cost'), (6, 'Packaging Cost', 'Cost'),
    (7, 'Miscellaneous Cost', 'Cost'), (8, 'Equipment Purchase Cost', 'Cost'),
    (9, 'Average Batch Time', 'Time'), (10, 'Average Cycle Time', 'Time');
INSERT INTO CostFactor (CostFactorID, CostFactorType, CostFactorItem, CostFactor, CostFactorUOM, RowOrder) VALUES
    (101, 'Capital', 'Installation', 0.47, NULL, 1), (102, 'Capital', 'Instrumentation', 0.36, NULL, 2),
    (103, 'Capital', 'Piping', 0.68, NULL, 3), (104, 'Capital', 'Electrical', 0.11, NULL, 4),
    (201, 'Direct Product', 'Raw Materials', 1, NULL, 1), (202, 'Direct Product', 'Utilities', 1, NULL, 2),
    (203, 'Direct Product', 'Maintenance', 0.06, NULL, 3), (204, 'Direct Product', 'Supervision', 120, 'USD/h', 4),
    (0, 'Fixed Cost', 'Fixed Cost', 250000, 'USD', 1),
    (301, 'Indirect Product', 'Overhead', 0.6, NULL, 1), (302, 'Indirect Product', 'Local Taxes', 0.02, NULL, 2),
    (303, 'Indirect Product', 'Insurance', 0.01, NULL, 3),
    (401, 'Processing', 'Operator Wage', 35, 'USD/h', 1), (402, 'Processing', 'Number of Operators', 2, NULL, 2),
    (403, 'Processing', 'Supervision Factor', 0.15, NULL, 3), (404, 'Processing', 'Laboratory FACTOR', 0.1, NULL, 4),
    (405, 'Processing', 'Factor Rent per Area', 12, 'USD/Sq m', 5);
INSERT INTO ItemizedCostFactor (CostFactorID, CalculatedCostFactorID) VALUES
    (201, 1), (202, 2), (202, 3), (203, 8), (204, 9);
