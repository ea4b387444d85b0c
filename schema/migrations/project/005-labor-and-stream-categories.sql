-- Labour grades: the cost per unit of labour (CostUOM, a "LaborCost" unit) and the operators
-- available. Stream categories: the disposal cost per unit of DisposalCostUOM (a "DisposalCost"
-- unit). The preference dialogs assign both ids.
CREATE TABLE TblLaborCategory (
    LaborGradeID INTEGER PRIMARY KEY,
    LaborGrade TEXT,
    Cost REAL,
    CostUOM TEXT,
    MaxAvailableOperators INTEGER
);

CREATE TABLE StreamCategoryTable (
    StreamCategoryID INTEGER PRIMARY KEY,
    StreamCategory TEXT,
    DisposalCost REAL,
    DisposalCostUOM TEXT
);
