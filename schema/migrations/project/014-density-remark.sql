-- The remark of a material whose density the material balance assumes joins the message
-- catalogue; a row a file has already stays.
INSERT OR IGNORE INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) VALUES
    (1009, 'Warning', '%s has no density: 1,000 kg/m3 assumed.', 2, 1);
