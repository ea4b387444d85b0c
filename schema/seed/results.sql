-- Seed rows of a results database: its version and the fixed list of remark messages.
-- 1001: an operation has no equipment assigned; its time is scheduled, nothing is held.
-- 1002: the volume an operation puts into a vessel exceeds the vessel's capacity.
-- 1003: an operation's duration is missing; its type's default duration was used.
-- 1004: a process run found no step transitions (StepID and OperationID 0).
-- 1005: a plan run found no batches in the plan's detail rows (StepID and OperationID 0).
-- 1006: a plan run's user-defined sequence file is missing, empty or does not match the recipes.
INSERT INTO ResultsInfo (VersionNumber, RowKey) VALUES ('Version 20.0', 1);
INSERT INTO RemarkMessage (MessageID, Type, Level, Source, MessageText) VALUES
    (1001, 'Warning', 2, 'Equipment', 'No equipment is assigned to the operation.'),
    (1002, 'Error', 1, 'Volume', 'The volume exceeds the capacity of the vessel.'),
    (1003, 'Warning', 2, 'Duration', 'No duration is given; the default of the operation type is used.'),
    (1004, 'Error', 1, 'Process', 'The process has no step transitions.'),
    (1005, 'Error', 1, 'Plan', 'The plan has no batches to simulate.'),
    (1006, 'Error', 1, 'Plan', 'The simulation sequence file of the plan cannot be used.');
