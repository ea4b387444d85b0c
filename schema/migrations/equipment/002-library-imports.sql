-- Equipment brought in from library databases: each item row carries the local time of its last
-- change (kept by triggers on the item, and its property rows); LibraryImport lists
-- the items copied from a library with the library stamp they were copied at; LibraryMapping keeps
-- which project item a library item was matched with when it was brought along.

ALTER TABLE ActualEquipmentCommon ADD COLUMN LibraryStamp REAL;

CREATE TABLE LibraryImport (
    ImportID INTEGER PRIMARY KEY,
    LocalID INTEGER NOT NULL UNIQUE,
    ServerID INTEGER NOT NULL,
    ServerLocation TEXT NOT NULL,
    ImportStamp REAL
);

CREATE TABLE LibraryMapping (
    ServerLocation TEXT COLLATE NOCASE NOT NULL,
    ServerID INTEGER NOT NULL,
    LocalID INTEGER NOT NULL,
    LocalName TEXT COLLATE NOCASE,
    PRIMARY KEY (ServerLocation, ServerID)
);

CREATE TRIGGER EquipmentStampOnInsert AFTER INSERT ON ActualEquipmentCommon WHEN NEW.LibraryStamp IS NULL
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = NEW.ActualEquipmentID;
END;

CREATE TRIGGER EquipmentStampOnUpdate AFTER UPDATE ON ActualEquipmentCommon
WHEN NEW.LibraryStamp IS OLD.LibraryStamp
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = NEW.ActualEquipmentID;
END;

CREATE TRIGGER EquipmentStampOnPropertyInsert AFTER INSERT ON ActualEquipmentProperty
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = NEW.ActualEquipmentID;
END;

CREATE TRIGGER EquipmentStampOnPropertyUpdate AFTER UPDATE ON ActualEquipmentProperty
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID IN (OLD.ActualEquipmentID, NEW.ActualEquipmentID);
END;

CREATE TRIGGER EquipmentStampOnPropertyDelete AFTER DELETE ON ActualEquipmentProperty
BEGIN
    UPDATE ActualEquipmentCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE ActualEquipmentID = OLD.ActualEquipmentID;
END
