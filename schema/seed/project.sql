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
    (1, 0, 1, 1, 1, NULL, 'BATCH', 'Literal SFC', 0, 0, 1, 0, 0, 1, 0),
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

-- Equipment kinds of the emitting operation types (Vent has none; React has seven; Heat lists its
-- condenser and receiver as one kind).
INSERT INTO AirEmissionEquipmentKinds (OperationTypeID, FieldTypeID, FieldLabel) VALUES
    (4, 100501, 'Vessel'),
    (17, 100501, 'Vessel'), (17, 100502, 'Condenser'),
    (18, 100508, 'Dryer'), (18, 100502, 'Condenser'),
    (26, 100501, 'Vessel'), (26, 100502, 'Condenser'), (26, 100502, 'Receiver'),
    (28, 100501, 'Vessel'), (28, 100503, 'Vacuum Pump'),
    (30, 100501, 'Vessel'),
    (32, 100501, 'Vessel'), (32, 100502, 'Condenser'), (32, 100503, 'Vacuum Pump'), (32, 100504, 'Scrubber'),
    (32, 100505, 'Receiver Tank'), (32, 100506, 'Feed Tank'), (32, 100507, 'Jacket');

INSERT INTO "PREFER-AirEmission" (OperationTypeID, EquipmentFieldTypeID, SequenceNumber, AirEmissionModelID) VALUES
    (4, 100501, 1, 1001), (4, 100501, 2, 1004),
    (26, 100501, 1, 1002), (26, 100502, 1, 1008),
    (32, 100501, 1, 1007), (32, 100501, 2, 1002);

INSERT INTO "PREFER-ControlEfficiency" (ComponentCategory, ControlEfficiency) VALUES
    ('Hazardous Air Pollutant', 95.0), ('Volatile Organic Compound', 90.0);

-- Parameters of the emission models: every way a row is edited (ControlState 1, 2, 3, 5 and one
-- shown by name only) and every validation rule 0 to 11.
INSERT INTO OperationDefaults (OperationTypeID, OperationName, DefaultName, ControlState, ControlLabel,
    ControlUOMList, ValidationRule, CurrentDefaultValue, CurrentValueUOM, OriginalValue,
    OriginalValueUOM, ComboList, SortOrder, VaporEmission)
VALUES
    (NULL, 'Vapor Emission', 'Leak Rate', 1, NULL, 'LeakRate', 1, 0.5, 'lbhr', 0.5, 'lbhr', NULL, 101, 1),
    (NULL, 'Vapor Emission', 'Vessel Temperature', 1, NULL, 'Temperature', 7, 25.0, 'C', 25.0, 'C', NULL, 102, 1),
    (NULL, 'Vapor Emission', 'Headspace Pressure', 1, NULL, 'Pressure', 2, 1.0, 'atm', 1.0, 'atm', NULL, 103, 1),
    (NULL, 'Vapor Emission', 'Purge Gas Flow Rate', 2, NULL, NULL, 3, 10.0, NULL, 10.0, NULL, NULL, 104, 1),
    (NULL, 'Vapor Emission', 'Condenser Efficiency', 3, '%', NULL, 4, 90.0, NULL, 90.0, NULL, NULL, 105, 1),
    (NULL, 'Vapor Emission', 'Relative Saturation', 3, '%', NULL, 5, 100.0, NULL, 100.0, NULL, NULL, 106, 1),
    (NULL, 'Vapor Emission', 'Fill Level', 3, '%', NULL, 6, 50.0, NULL, 50.0, NULL, NULL, 107, 1),
    (NULL, 'Vapor Emission', 'Vapor Fraction', 2, NULL, NULL, 8, 1.0, NULL, 1.0, NULL, NULL, 108, 1),
    (NULL, 'Vapor Emission', 'Approach Fraction', 2, NULL, NULL, 9, 0.5, NULL, 0.5, NULL, NULL, 109, 1),
    (NULL, 'Vapor Emission', 'Entrainment Fraction', 2, NULL, NULL, 10, 0.0, NULL, 0.0, NULL, NULL, 110, 1),
    (NULL, 'Vapor Emission', 'Mixing Factor', 2, NULL, NULL, 11, 1.0, NULL, 1.0, NULL, NULL, 111, 1),
    (NULL, 'Vapor Emission', 'Vent Diameter', 2, NULL, NULL, 0, 1e35, NULL, 1e35, NULL, NULL, 112, 1),
    (NULL, 'Vapor Emission', 'Gas Source', 5, NULL, NULL, 0, 0.0, 'Inlet Stream', 0.0, 'Inlet Stream',
     'Inlet_Stream Vessel_Contents', 113, 1),
    (NULL, 'Vapor Emission', 'Emission Factors', 5, NULL, NULL, 0, 0.0, '1994 ACT', 0.0, '1994 ACT', '1994_ACT HEI', 114, 1),
    (NULL, 'Vapor Emission', 'Vapor Model', 5, NULL, NULL, 0, 0.0, 'Ideal', 0.0, 'Ideal', 'Ideal Non_Ideal Raoult', 115, 1),
    (NULL, 'Vapor Emission', 'Emission Notes', 4, NULL, NULL, 0, 0.0, NULL, 0.0, NULL, NULL, 116, 1);

-- The unit library. Quantity kinds in the lists of dialogs and grids: Time (the plan grid asks for
-- "time"; keys compare ignoring case), Amount, PlanQuantity and ScaleQuantity (mass or moles; a
-- cleaning step's "batches" is no unit and not listed), Currency and the cost kinds below; every
-- UOMType of the unit-of-measure sets is a quantity kind too. Units are listed in the order the
-- lists show them.
INSERT INTO TblUnitsLibrary (Quantity, Unit) VALUES
    ('AgitationSpeed', 'rpm'), ('AgitationSpeed', 'rps'), ('AgitationSpeed', '1/s'),
    ('AgitationSpeed', '1/min'), ('AgitationSpeed', 'Hz'),
    ('Amount', 'kg'), ('Amount', 'g'), ('Amount', 'mg'), ('Amount', 'lb'), ('Amount', 'oz'),
    ('Amount', 'tonne'), ('Amount', 'short ton'), ('Amount', 'long ton'), ('Amount', 'kmole'),
    ('Amount', 'gmole'), ('Amount', 'lbmole'), ('Amount', 'mmole'),
    ('Area', 'Sq m'), ('Area', 'Sq cm'), ('Area', 'Sq mm'), ('Area', 'Sq in'), ('Area', 'Sq ft'),
    ('Area', 'Sq yd'), ('Area', 'hectare'), ('Area', 'acre'),
    ('Density', 'kg/Cubic m'), ('Density', 'kg/liter'), ('Density', 'g/cc'), ('Density', 'g/ml'),
    ('Density', 'g/liter'), ('Density', 'lb/Cubic ft'), ('Density', 'lb/gal'), ('Density', 'lb/Imp gal'),
    ('Energy', 'J'), ('Energy', 'KJ'), ('Energy', 'MJ'), ('Energy', 'GJ'), ('Energy', 'cal'),
    ('Energy', 'kcal'), ('Energy', 'Gcal'), ('Energy', 'BTU'), ('Energy', 'MMBTU'), ('Energy', 'therm'),
    ('Energy', 'Wh'), ('Energy', 'kWh'), ('Energy', 'MWh'),
    ('Enthalpy', 'KJ/kg'), ('Enthalpy', 'J/kg'), ('Enthalpy', 'J/g'), ('Enthalpy', 'MJ/kg'),
    ('Enthalpy', 'cal/g'), ('Enthalpy', 'kcal/kg'), ('Enthalpy', 'BTU/lb'), ('Enthalpy', 'KJ/kmol'),
    ('Enthalpy', 'J/kmol'), ('Enthalpy', 'MJ/kmol'), ('Enthalpy', 'J/gmol'), ('Enthalpy', 'KJ/gmol'),
    ('Enthalpy', 'cal/gmol'), ('Enthalpy', 'kcal/gmol'), ('Enthalpy', 'kcal/kmol'),
    ('Enthalpy', 'BTU/lbmol'),
    ('HeatCapacity', 'KJ/kg-K'), ('HeatCapacity', 'J/kg-K'), ('HeatCapacity', 'J/g-K'),
    ('HeatCapacity', 'cal/g-C'), ('HeatCapacity', 'kcal/kg-C'), ('HeatCapacity', 'BTU/lb-F'),
    ('HeatCapacity', 'KJ/kmol-K'), ('HeatCapacity', 'J/kmol-K'), ('HeatCapacity', 'J/gmol-K'),
    ('HeatCapacity', 'KJ/gmol-K'), ('HeatCapacity', 'cal/gmol-C'), ('HeatCapacity', 'cal/gmol-K'),
    ('HeatCapacity', 'kcal/kmol-C'), ('HeatCapacity', 'kcal/kmol-K'), ('HeatCapacity', 'BTU/lbmol-F'),
    ('HeatCapacity', 'BTU/lbmol-R'),
    ('HeatTransferCoefficient', 'W/Sq m-K'), ('HeatTransferCoefficient', 'W/Sq m-C'),
    ('HeatTransferCoefficient', 'kW/Sq m-K'), ('HeatTransferCoefficient', 'KJ/h-Sq m-K'),
    ('HeatTransferCoefficient', 'BTU/h-Sq ft-F'), ('HeatTransferCoefficient', 'BTU/s-Sq ft-F'),
    ('HeatTransferCoefficient', 'kcal/h-Sq m-C'), ('HeatTransferCoefficient', 'cal/s-Sq cm-C'),
    ('Length', 'm'), ('Length', 'cm'), ('Length', 'mm'), ('Length', 'um'), ('Length', 'km'),
    ('Length', 'in'), ('Length', 'ft'), ('Length', 'yd'),
    ('Mass', 'kg'), ('Mass', 'g'), ('Mass', 'mg'), ('Mass', 'lb'), ('Mass', 'oz'), ('Mass', 'tonne'),
    ('Mass', 'short ton'), ('Mass', 'long ton'),
    ('MassFlow', 'kg/s'), ('MassFlow', 'kg/min'), ('MassFlow', 'kg/h'), ('MassFlow', 'kg/day'),
    ('MassFlow', 'kg/yr'), ('MassFlow', 'g/s'), ('MassFlow', 'g/min'), ('MassFlow', 'g/h'),
    ('MassFlow', 'lb/s'), ('MassFlow', 'lb/min'), ('MassFlow', 'lb/h'), ('MassFlow', 'lb/day'),
    ('MassFlow', 'lb/yr'), ('MassFlow', 'tonne/h'), ('MassFlow', 'tonne/day'), ('MassFlow', 'tonne/yr'),
    ('MolecularWeight', 'kg/kmol'), ('MolecularWeight', 'g/gmol'), ('MolecularWeight', 'lb/lbmol'),
    ('Mole', 'kmole'), ('Mole', 'gmole'), ('Mole', 'lbmole'), ('Mole', 'mmole'),
    ('MoleFlow', 'kmol/s'), ('MoleFlow', 'kmol/min'), ('MoleFlow', 'kmol/h'), ('MoleFlow', 'kmol/day'),
    ('MoleFlow', 'kmol/yr'), ('MoleFlow', 'gmol/s'), ('MoleFlow', 'gmol/min'), ('MoleFlow', 'gmol/h'),
    ('MoleFlow', 'gmol/day'), ('MoleFlow', 'gmol/yr'), ('MoleFlow', 'lbmol/s'), ('MoleFlow', 'lbmol/min'),
    ('MoleFlow', 'lbmol/h'), ('MoleFlow', 'lbmol/day'), ('MoleFlow', 'lbmol/yr'), ('MoleFlow', 'mmol/s'),
    ('MoleFlow', 'mmol/min'), ('MoleFlow', 'mmol/h'),
    ('PlanQuantity', 'kg'), ('PlanQuantity', 'g'), ('PlanQuantity', 'lb'), ('PlanQuantity', 'tonne'),
    ('PlanQuantity', 'short ton'), ('PlanQuantity', 'long ton'), ('PlanQuantity', 'kmole'),
    ('PlanQuantity', 'gmole'), ('PlanQuantity', 'lbmole'),
    ('Power', 'W'), ('Power', 'kW'), ('Power', 'MW'), ('Power', 'J/s'), ('Power', 'KJ/s'),
    ('Power', 'KJ/min'), ('Power', 'KJ/h'), ('Power', 'MJ/h'), ('Power', 'GJ/h'), ('Power', 'cal/s'),
    ('Power', 'kcal/s'), ('Power', 'kcal/min'), ('Power', 'kcal/h'), ('Power', 'Gcal/h'),
    ('Power', 'BTU/s'), ('Power', 'BTU/min'), ('Power', 'BTU/h'), ('Power', 'MMBTU/h'), ('Power', 'hp'),
    ('Power', 'TR'),
    ('Pressure', 'Pa'), ('Pressure', 'kPa'), ('Pressure', 'MPa'), ('Pressure', 'bar'), ('Pressure', 'mbar'),
    ('Pressure', 'atm'), ('Pressure', 'psia'), ('Pressure', 'psig'), ('Pressure', 'barg'),
    ('Pressure', 'kPag'), ('Pressure', 'mmHg'), ('Pressure', 'torr'), ('Pressure', 'mtorr'),
    ('Pressure', 'inHg'), ('Pressure', 'inH2O'), ('Pressure', 'mmH2O'), ('Pressure', 'ftH2O'),
    ('Pressure', 'kgf/Sq cm'), ('Pressure', 'lbf/Sq ft'),
    ('ScaleQuantity', 'kg'), ('ScaleQuantity', 'g'), ('ScaleQuantity', 'mg'), ('ScaleQuantity', 'lb'),
    ('ScaleQuantity', 'oz'), ('ScaleQuantity', 'tonne'), ('ScaleQuantity', 'short ton'),
    ('ScaleQuantity', 'long ton'), ('ScaleQuantity', 'kmole'), ('ScaleQuantity', 'gmole'),
    ('ScaleQuantity', 'lbmole'), ('ScaleQuantity', 'mmole'),
    ('Temperature', 'C'), ('Temperature', 'F'), ('Temperature', 'K'), ('Temperature', 'R'),
    ('ThermalConductivity', 'W/m-K'), ('ThermalConductivity', 'W/m-C'), ('ThermalConductivity', 'kW/m-K'),
    ('ThermalConductivity', 'BTU/h-ft-F'), ('ThermalConductivity', 'BTU-in/h-Sq ft-F'),
    ('ThermalConductivity', 'kcal/h-m-C'), ('ThermalConductivity', 'cal/s-cm-C'),
    ('Time', 's'), ('Time', 'min'), ('Time', 'h'), ('Time', 'day'), ('Time', 'week'), ('Time', 'yr'),
    ('Velocity', 'm/s'), ('Velocity', 'm/min'), ('Velocity', 'm/h'), ('Velocity', 'cm/s'),
    ('Velocity', 'cm/min'), ('Velocity', 'mm/s'), ('Velocity', 'km/h'), ('Velocity', 'ft/s'),
    ('Velocity', 'ft/min'), ('Velocity', 'ft/h'), ('Velocity', 'in/s'), ('Velocity', 'mph'),
    ('Viscosity', 'cP'), ('Viscosity', 'mPa-s'), ('Viscosity', 'Pa-s'), ('Viscosity', 'P'),
    ('Viscosity', 'kg/m-s'), ('Viscosity', 'lb/ft-s'), ('Viscosity', 'lb/ft-h'),
    ('Volume', 'liter'), ('Volume', 'ml'), ('Volume', 'cc'), ('Volume', 'Cubic m'), ('Volume', 'Cubic ft'),
    ('Volume', 'Cubic in'), ('Volume', 'Cubic yd'), ('Volume', 'gal'), ('Volume', 'Imp gal'),
    ('Volume', 'bbl'), ('Volume', 'qt'), ('Volume', 'fl oz'),
    ('VolumeFlow', 'liter/s'), ('VolumeFlow', 'liter/min'), ('VolumeFlow', 'liter/h'),
    ('VolumeFlow', 'liter/day'), ('VolumeFlow', 'ml/s'), ('VolumeFlow', 'ml/min'), ('VolumeFlow', 'ml/h'),
    ('VolumeFlow', 'cc/s'), ('VolumeFlow', 'cc/min'), ('VolumeFlow', 'cc/h'), ('VolumeFlow', 'Cubic m/s'),
    ('VolumeFlow', 'Cubic m/min'), ('VolumeFlow', 'Cubic m/h'), ('VolumeFlow', 'Cubic m/day'),
    ('VolumeFlow', 'Cubic m/yr'), ('VolumeFlow', 'Cubic ft/s'), ('VolumeFlow', 'Cubic ft/min'),
    ('VolumeFlow', 'Cubic ft/h'), ('VolumeFlow', 'Cubic ft/day'), ('VolumeFlow', 'gal/s'),
    ('VolumeFlow', 'gal/min'), ('VolumeFlow', 'gal/h'), ('VolumeFlow', 'gal/day'), ('VolumeFlow', 'gal/yr'),
    ('VolumeFlow', 'Imp gal/min'), ('VolumeFlow', 'Imp gal/h'), ('VolumeFlow', 'bbl/h'),
    ('VolumeFlow', 'bbl/day');

-- Money: the currencies alone, then every currency per unit of what a cost is counted in (labour
-- per time, disposal per amount of stream, operating costs per time, amount, energy or area).
WITH currency (Code, Position) AS (
    VALUES ('USD', 1), ('EUR', 2), ('GBP', 3), ('JPY', 4), ('CHF', 5), ('CAD', 6), ('AUD', 7),
           ('CNY', 8), ('INR', 9), ('KRW', 10), ('BRL', 11), ('MXN', 12), ('SEK', 13), ('SGD', 14)),
per (Quantity, Suffix, Position) AS (
    VALUES ('Currency', '', 0),
           ('LaborCost', '/h', 1), ('LaborCost', '/day', 2), ('LaborCost', '/week', 3),
           ('LaborCost', '/yr', 4),
           ('DisposalCost', '/kg', 1), ('DisposalCost', '/g', 2), ('DisposalCost', '/lb', 3),
           ('DisposalCost', '/kmol', 4), ('DisposalCost', '/lbmol', 5), ('DisposalCost', '/liter', 6),
           ('DisposalCost', '/gal', 7),
           ('OperatingCost', '/kg', 1), ('OperatingCost', '/g', 2), ('OperatingCost', '/lb', 3),
           ('OperatingCost', '/kmol', 4), ('OperatingCost', '/lbmol', 5), ('OperatingCost', '/liter', 6),
           ('OperatingCost', '/gal', 7), ('OperatingCost', '/kWh', 8), ('OperatingCost', '/MJ', 9),
           ('OperatingCost', '/MMBTU', 10), ('OperatingCost', '/h', 11), ('OperatingCost', '/day', 12),
           ('OperatingCost', '/week', 13), ('OperatingCost', '/yr', 14), ('OperatingCost', '/Sq m', 15))
INSERT INTO TblUnitsLibrary (Quantity, Unit)
SELECT per.Quantity, currency.Code || per.Suffix
FROM per CROSS JOIN currency
ORDER BY per.Quantity, currency.Position, per.Position;

-- Quantity kinds of the unit-of-measure sets, with the names the set grid shows.
INSERT INTO TblUOMTypes (UOMType, DisplayName) VALUES
    ('AgitationSpeed', 'Agitation Speed'),
    ('Area', 'Area'),
    ('Currency', 'Currency'),
    ('Density', 'Density'),
    ('Energy', 'Energy'),
    ('Enthalpy', 'Specific Enthalpy'),
    ('HeatCapacity', 'Heat Capacity'),
    ('HeatTransferCoefficient', 'Heat Transfer Coefficient'),
    ('Length', 'Length'),
    ('Mass', 'Mass'),
    ('MassFlow', 'Mass Flow'),
    ('MolecularWeight', 'Molecular Weight'),
    ('Mole', 'Moles'),
    ('MoleFlow', 'Mole Flow'),
    ('Power', 'Power'),
    ('Pressure', 'Pressure'),
    ('Temperature', 'Temperature'),
    ('ThermalConductivity', 'Thermal Conductivity'),
    ('Time', 'Time'),
    ('Velocity', 'Velocity'),
    ('Viscosity', 'Viscosity'),
    ('Volume', 'Volume'),
    ('VolumeFlow', 'Volume Flow');

-- The two sets every project starts with; they cannot be changed, only copied. The project's
-- default sets stay unset (-1) until the user picks them.
INSERT INTO TblUOMSet (UOMSetID, UOMSetName, ReadOnly) VALUES (1, 'SI', 1), (2, 'English', 1);

WITH unit (UOMType, SI, English) AS (
    VALUES ('AgitationSpeed', 'rpm', 'rpm'),
           ('Area', 'Sq m', 'Sq ft'),
           ('Currency', 'USD', 'USD'),
           ('Density', 'kg/Cubic m', 'lb/Cubic ft'),
           ('Energy', 'KJ', 'BTU'),
           ('Enthalpy', 'KJ/kg', 'BTU/lb'),
           ('HeatCapacity', 'KJ/kg-K', 'BTU/lb-F'),
           ('HeatTransferCoefficient', 'W/Sq m-K', 'BTU/h-Sq ft-F'),
           ('Length', 'm', 'ft'),
           ('Mass', 'kg', 'lb'),
           ('MassFlow', 'kg/h', 'lb/h'),
           ('MolecularWeight', 'kg/kmol', 'lb/lbmol'),
           ('Mole', 'kmole', 'lbmole'),
           ('MoleFlow', 'kmol/h', 'lbmol/h'),
           ('Power', 'kW', 'BTU/h'),
           ('Pressure', 'kPa', 'psia'),
           ('Temperature', 'C', 'F'),
           ('ThermalConductivity', 'W/m-K', 'BTU/h-ft-F'),
           ('Time', 'h', 'h'),
           ('Velocity', 'm/s', 'ft/s'),
           ('Viscosity', 'mPa-s', 'cP'),
           ('Volume', 'Cubic m', 'gal'),
           ('VolumeFlow', 'Cubic m/h', 'gal/min'))
INSERT INTO TblUOMSetDetail (UOMSetID, UOMType, Unit)
SELECT 1, UOMType, SI FROM unit
UNION ALL
SELECT 2, UOMType, English FROM unit;

-- The spreadsheet reports and their versions. 105, 111-113, 204 and 209-211 take a data filter
-- (VersionID + 1000 while it is on).
INSERT INTO ReportOptions (ReportID, ReportName, VersionID) VALUES
    (101, 'Recipe Summary', 1), (105, 'Material Balance', 1), (111, 'Stream Table', 1),
    (112, 'Stream Composition', 1), (113, 'Equipment Contents', 1), (201, 'Equipment List', 1),
    (204, 'Equipment Usage', 1), (209, 'Emissions', 1), (210, 'Utility Usage', 1),
    (211, 'Labour Usage', 1);

INSERT INTO ReportVersion (ReportID, VersionID, VersionName)
SELECT ReportID, 1, 'Standard' FROM ReportOptions
UNION ALL SELECT ReportID, 2, 'Detailed' FROM ReportOptions
UNION ALL SELECT ReportID, 3, 'Compact' FROM ReportOptions WHERE ReportID IN (105, 201, 204);

-- The message catalogue: 1001-1017 are the remarks of the results database; the others are the
-- messages of the simulation log.
INSERT INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) VALUES
    (1001, 'Warning', 'No equipment is assigned to the operation.', 2, 1),
    (1002, 'Error', 'The volume exceeds the capacity of the vessel.', 1, 1),
    (1003, 'Warning', 'No duration is given; the default of the operation type is used.', 2, 1),
    (1004, 'Error', 'The process has no step transitions.', 1, 1),
    (1005, 'Error', 'The plan has no batches to simulate.', 1, 1),
    (1006, 'Error', 'The simulation sequence file of the plan cannot be used.', 1, 1),
    (1007, 'Error', 'A value of %s is negative; 0 is used.', 1, 1),
    (1008, 'Error', 'Step %s (%s) cannot be scheduled: %s.', 1, 1),
    (1009, 'Warning', '%s has no density: 1,000 kg/m3 assumed.', 2, 1),
    (1011, 'Error', 'The design amount or time horizon is not above 0.', 1, 1),
    (1012, 'Error', 'The time horizon is shorter than one cycle of the step.', 1, 1),
    (1013, 'Error', 'The unit of the design amount or time horizon is not known.', 1, 1),
    (1014, 'Error', 'The key output has no molecular weight for a molar design amount.', 1, 1),
    (1015, 'Error', 'The step has no batch results to design from.', 1, 1),
    (1016, 'Error', 'The design needs more than the capacity of the vessel.', 1, 1),
    (1017, 'Warning', 'The design fills the vessel below its minimum volume.', 2, 1),
    (10000001, 'Error', 'The simulation of %s stopped: no equipment contents.', 1, 1),
    (10000002, 'Warning', 'The vessel %s overflows.', 1, 1),
    (10000003, 'Warning', 'The vessel %s runs below its minimum stirred volume.', 2, 1),
    (10000004, 'Warning', 'The emission of %s exceeds its limit.', 3, 2),
    (10000005, 'Warning', 'The condenser of %s is bypassed.', 4, 2),
    (10000006, 'Note', 'The duration of %s was calculated from its rate.', 1, 1),
    (10000007, 'Note', 'The vent of %s carries no material.', 2, 2),
    (10000008, 'Default', 'The default heat capacity was used for %s.', 3, 1),
    (10000009, 'Default', 'The default vapour pressure was used for %s.', 4, 2),
    (10000010, 'Error', 'The material %s has no density.', 1, 2);

INSERT INTO Options (OptionsID, Description) VALUES (1, 'Standard Options');

INSERT INTO MessageOptions (Options, Value) VALUES ('Warnings', 1);

-- The two calendars every project has.
INSERT INTO TblCalendar (CalendarID, CalendarName) VALUES (1, 'Continuous'), (2, 'Standard Week');
INSERT INTO TblCalendarWorkingTimes (CalendarID, DayOfWeek, Working, FromTime1, ToTime1) VALUES
    (1, 1, 1, 0.0, 1.0), (1, 2, 1, 0.0, 1.0), (1, 3, 1, 0.0, 1.0), (1, 4, 1, 0.0, 1.0),
    (1, 5, 1, 0.0, 1.0), (1, 6, 1, 0.0, 1.0), (1, 7, 1, 0.0, 1.0),
    (2, 1, 0, NULL, NULL), (2, 2, 1, 0.333333333333333, 0.708333333333333),
    (2, 3, 1, 0.333333333333333, 0.708333333333333), (2, 4, 1, 0.333333333333333, 0.708333333333333),
    (2, 5, 1, 0.333333333333333, 0.708333333333333), (2, 6, 1, 0.333333333333333, 0.708333333333333),
    (2, 7, 0, NULL, NULL);

-- Preferences: the ideal liquid mixture, new components liquid, the route-selection yields (%),
-- three rounding bands, rounding of the recipe text off.
INSERT INTO "PREFER-PhysicalPropertyModels" (PhysicalProperty, ModelName) VALUES
    ('Liquid Mixture Density', 'Ideal'), ('Component Available Phase', 'Liquid');
INSERT INTO "PREFER-Chem" (Name, Value) VALUES ('DefaultCurrentYield', 90.0), ('DefaultOptimizedYield', 95.0);
INSERT INTO "PREFER-ResultRounding" (UpperLimit, Type, Precision) VALUES
    (1.0, 'Significant Digits', 3), (1000.0, 'Decimal Place', 2), (1e35, 'Decimal Place', 0);
INSERT INTO TextRecipeOptions (Options, Value) VALUES ('RoundValues', 0);

-- Cost factors: the library of calculated items, and a starting set of every kind of cost factor.
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
-- Worst-case statuses of the emission models' parameters.
INSERT INTO "PREFER-MaximumEmissions" (AirEmissionModelID, Parameter, Value) VALUES
    (1001, 'Temperature', 'Maximum'), (1001, 'Pressure', 'Minimum'),
    (1002, 'Initial Temperature', 'Minimum'), (1002, 'Final Temperature', 'Maximum'),
    (1004, 'Sweep Gas Rate', 'Maximum'), (1004, 'Temperature', 'Maximum'),
    (1005, 'Leak Rate', 'Maximum'), (1005, 'Final Pressure', 'Minimum');
