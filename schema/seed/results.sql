-- Seed rows of a results database: its version and the fixed list of remark messages.
-- 1001: an operation has no equipment assigned; its time is scheduled, nothing is held.
-- 1002: the volume an operation puts into a vessel exceeds the vessel's capacity.
-- 1003: an operation's duration is missing; its type's default duration was used.
-- 1011-1017: remarks of a design run (operation 0): why it could not size the step, and the
-- capacity (1016) and minimum-volume (1017) checks of the equipment it chose.
INSERT INTO ResultsInfo (VersionNumber, RowKey) VALUES ('Version 20.0', 1);
INSERT INTO RemarkMessage (MessageID, Type, Level, Source, MessageText) VALUES
    (1001, 'Warning', 2, 'Equipment', 'No equipment is assigned to the operation.'),
    (1002, 'Error', 1, 'Volume', 'The volume exceeds the capacity of the vessel.'),
    (1003, 'Warning', 2, 'Duration', 'No duration is given; the default of the operation type is used.'),
    (1011, 'Error', 1, 'Design', 'The design amount or time horizon is not above 0.'),
    (1012, 'Error', 1, 'Design', 'The time horizon is shorter than one cycle of the step.'),
    (1013, 'Error', 1, 'Design', 'The unit of the design amount or time horizon is not known.'),
    (1014, 'Error', 1, 'Design', 'The key output has no molecular weight for a molar design amount.'),
    (1015, 'Error', 1, 'Design', 'The step has no batch results to design from.'),
    (1016, 'Error', 1, 'Design', 'The design needs more than the capacity of the vessel.'),
    (1017, 'Warning', 2, 'Design', 'The design fills the vessel below its minimum volume.');
