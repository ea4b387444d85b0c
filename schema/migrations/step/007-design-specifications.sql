-- The design targets of the step: the amount to make over a time horizon, each with its
-- unit, the facility to design on (its PlantID; 0 = the whole equipment catalogue, -1 = none) with
-- the name shown for it, and the vessel rule. Null reads as not set.
CREATE TABLE DesignSpecifications (
    StepID INTEGER PRIMARY KEY,
    Amount REAL,
    AmountUOM TEXT,
    TimeHorizon REAL,
    TimeHorizonUOM TEXT,
    FacilityID INTEGER,
    FacilityName TEXT,
    Heuristic TEXT
);
