-- Plan ids are never given twice: a deleted plan's id stays used, so no new plan meets the rows
-- or result files of an old one.
CREATE TEMP TABLE ProductionPlanBefore AS SELECT PlanID, PlanName, StartDateTime, OutputUOMSetID FROM ProductionPlan;
DROP VIEW QryProductionPlanInProject;
DROP TABLE ProductionPlan;
CREATE TABLE ProductionPlan (
    PlanID INTEGER PRIMARY KEY AUTOINCREMENT,
    PlanName TEXT COLLATE NOCASE,
    StartDateTime REAL,
    OutputUOMSetID INTEGER
);
INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime, OutputUOMSetID)
SELECT PlanID, PlanName, StartDateTime, OutputUOMSetID FROM ProductionPlanBefore;
DROP TABLE ProductionPlanBefore;
CREATE VIEW QryProductionPlanInProject AS
SELECT pp.PlanID, p.PlanName, pp.ProjectID
FROM "ProductionPlan-To-Project" pp
JOIN ProductionPlan p ON p.PlanID = pp.PlanID
ORDER BY pp.PlanID;
