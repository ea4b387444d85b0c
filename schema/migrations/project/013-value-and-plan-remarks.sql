-- The remarks of a negative value counted as 0 and of a plan step that cannot be scheduled join the
-- message catalogue; rows a file has already stay.
INSERT OR IGNORE INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) VALUES
    (1007, 'Error', 'A value of %s is negative; 0 is used.', 1, 1),
    (1008, 'Error', 'Step %s (%s) cannot be scheduled: %s.', 1, 1);
