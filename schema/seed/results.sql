-- Seed rows of a results database: its version and the fixed list of remark messages.
-- 1001: an operation has no equipment assigned; its time is scheduled, nothing is held.
-- 1002: the volume an operation puts into a vessel exceeds the vessel's capacity.
-- 1003: an operation's duration is missing; its type's default duration was used.
-- 1004: a process run found no step transitions (StepID and OperationID 0).
-- 1005: a plan run found no batches in the plan's detail rows (StepID and OperationID 0).
-- 1006: a plan run's user-defined sequence file is missing, empty or does not match the recipes.
-- 1007: a stored duration, amount or volume is negative; 0 is used (the remark names the field).
-- 1008: a plan's step cannot be scheduled; its batches are left out (OperationID 0; the remark names
-- the step and the reason).
-- 1009: the material balance took a material without a density at 1,000 kg/m3 (once a material, at
-- the first operation that holds it; the remark names the material).
-- 1011-1017: remarks of a design run (operation 0): why it could not size the step, and the
-- capacity (1016) and minimum-volume (1017) checks of the equipment it chose.
INSERT INTO ResultsInfo (VersionNumber, RowKey) VALUES ('Version 20.0', 1);
INSERT INTO RemarkMessage (MessageID, Type, Level, Source, MessageText) VALUES
    (1001, 'Warning', 2, 'Equipment', 'No equipment is assigned to the operation.'),
    (1002, 'Error', 1, 'Volume', 'The volume exceeds the capacity of the vessel.'),
    (1003, 'Warning', 2, 'Duration', 'No duration is given; the default of the operation type is used.'),
    (1004, 'Error', 1, 'Process', 'The process has no step transitions.'),
    (1005, 'Error', 1, 'Plan', 'The plan has no batches to simulate.'),
    (1006, 'Error', 1, 'Plan', 'The simulation sequence file of the plan cannot be used.'),
    (1007, 'Error', 1, 'Value', 'A value of %s is negative; 0 is used.'),
    (1008, 'Error', 1, 'Plan', 'Step %s (%s) cannot be scheduled: %s.'),
    (1009, 'Warning', 2, 'Density', '%s has no density: 1,000 kg/m3 assumed.'),
    (1011, 'Error', 1, 'Design', 'The design amount or time horizon is not above 0.'),
    (1012, 'Error', 1, 'Design', 'The time horizon is shorter than one cycle of the step.'),
    (1013, 'Error', 1, 'Design', 'The unit of the design amount or time horizon is not known.'),
    (1014, 'Error', 1, 'Design', 'The key output has no molecular weight for a molar design amount.'),
    (1015, 'Error', 1, 'Design', 'The step has no batch results to design from.'),
    (1016, 'Error', 1, 'Design', 'The design needs more than the capacity of the vessel.'),
    (1017, 'Warning', 2, 'Design', 'The design fills the vessel below its minimum volume.');
