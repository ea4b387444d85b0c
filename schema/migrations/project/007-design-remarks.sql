-- The remarks of a design run join the message catalogue; rows a file has already stay.
INSERT OR IGNORE INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) VALUES
    (1011, 'Error', 'The design amount or time horizon is not above 0.', 1, 1),
    (1012, 'Error', 'The time horizon is shorter than one cycle of the step.', 1, 1),
    (1013, 'Error', 'The unit of the design amount or time horizon is not known.', 1, 1),
    (1014, 'Error', 'The key output has no molecular weight for a molar design amount.', 1, 1),
    (1015, 'Error', 'The step has no batch results to design from.', 1, 1),
    (1016, 'Error', 'The design needs more than the capacity of the vessel.', 1, 1),
    (1017, 'Warning', 'The design fills the vessel below its minimum volume.', 2, 1);
