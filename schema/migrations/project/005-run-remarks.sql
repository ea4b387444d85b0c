-- The remarks of runs that could not start: a process without step transitions and a plan
-- without batches.
INSERT OR IGNORE INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) VALUES
    (1004, 'Error', 'The process has no step transitions.', 1, 1),
    (1005, 'Error', 'The plan has no batches to simulate.', 1, 1);
