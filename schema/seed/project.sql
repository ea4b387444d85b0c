-- Reference rows of every new project database. The operation types are not listed here: the
-- builder loads them from data/operations.csv, the one operation catalogue.

INSERT INTO QuorvantaVersion (VersionNumber) VALUES ('38.0');

INSERT INTO Project (ProjectID, ProjectName, Description, ProcessCounter, StepCounter)
VALUES (1, 'Blank', 'An empty project with the standard preferences.', 0, 0);

-- The root of every process's step transitions; it has no step database.
INSERT INTO ProjectStep (StepID, StepName, StepVersionName, Description)
VALUES (1, 'START', 'START', 'Start of every process');

INSERT INTO WindowsPosition (Type, ItemID, PositionLeft, PositionTop, PositionWidth, PositionHeight,
                             ShowState)
VALUES ('Project Builder', -1, 0, 0, 250, 600, 1);

INSERT INTO "PREFER-UnitsOfMeasureSet" (InputUOMSetID, OutputUOMSetID) VALUES (-1, -1);

INSERT INTO TblRangeLibrary (RangeTypeID, Description, "Default") VALUES
    (1, 'Normal Operating Range', 1),
    (2, 'Proven Acceptable Range', 0),
    (3, 'Design Space', 0);

INSERT INTO TblCommentLibrary (CommentTypeID, Description, "Default") VALUES
    (1, 'General', 1),
    (2, 'Safety', 0),
    (3, 'Quality', 0);

INSERT INTO SimulationOptions (ProjectID, AirEmission, ResultsDatabase, OverFlow, UnderFlow,
    MaxDesignIterations, OptionType, AlgorithmOption, JustInTimeSchedule, FlashCalculation,
    StepFinalEquipmentContents, SimulationSummaryMessage, MaxCalculation, RangeTypeID, ResultsRounding)
VALUES
    (1, 0, 1, 1, 1, NULL, 'BATCH', 'Literal SFC', 0, 0, 1, 1, 0, 1, 0),
    (1, 0, 1, 1, 1, NULL, 'PLAN', 'Simulate every batch', 0, 0, 0, 0, 0, NULL, 0),
    (1, 0, 1, 1, 1, NULL, 'SCALEUP', NULL, 0, 0, 0, 0, 0, NULL, 0),
    (1, 0, 1, 1, 1, 5, 'DESIGN', NULL, 0, 0, 0, 0, 0, NULL, 0);

-- Global operation defaults. CurrentDefaultValue of a gas row is a material id, 0 for air.
INSERT INTO OperationDefaults (OperationTypeID, OperationName, DefaultName, ControlState, ControlLabel,
    ControlUOMList, ValidationRule, CurrentDefaultValue, CurrentValueUOM, OriginalValue,
    OriginalValueUOM, ComboList, SortOrder)
VALUES
    (NULL, 'All Operations', 'Ambient Pressure', 1, NULL, 'Pressure', 12, 1.0, 'atm', 1.0, 'atm',
     NULL, 1),
    (4, 'Charge', 'Vessel Initialization Gas', 4, NULL, NULL, NULL, 0.0, NULL, 0.0, NULL, NULL, 2),
    (31, 'Vent', 'Vessel Vent Gas', 4, NULL, NULL, NULL, 0.0, NULL, 0.0, NULL, NULL, 3),
    (18, 'Dry', 'Critical Moisture Wet Basis', 3, '%', NULL, 6, 20.0, NULL, 20.0, NULL, NULL, 4),
    (18, 'Dry', 'Equilibrium Moisture Wet Basis', 3, '%', NULL, 6, 5.0, NULL, 5.0, NULL, NULL, 5);
