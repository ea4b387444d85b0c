-- The remarks of runs that could not start: a process without step transitions, a plan without
-- batches and a plan whose sequence file cannot be used.
INSERT OR IGNORE INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) VALUES
    (1004, 'Error', 'The process has no step transitions.', 1, 1),
    (1005, 'Error', 'The plan has no batches to simulate.', 1, 1),
    (1006, 'Error', 'The simulation sequence file of the plan cannot be used.', 1, 1);
