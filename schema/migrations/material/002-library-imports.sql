-- Materials brought in from library databases: each item row carries the local time of its last
-- change (kept by triggers on the item, its properties and its mixture rows); LibraryImport lists
-- the items copied from a library with the library stamp they were copied at; LibraryMapping keeps
-- which project item a library item was matched with when it was brought along.

ALTER TABLE ActualMaterialCommon ADD COLUMN LibraryStamp REAL;

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

CREATE TRIGGER MaterialStampOnInsert AFTER INSERT ON ActualMaterialCommon WHEN NEW.LibraryStamp IS NULL
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnUpdate AFTER UPDATE ON ActualMaterialCommon
WHEN NEW.LibraryStamp IS OLD.LibraryStamp
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnPropertyInsert AFTER INSERT ON ActualMaterialProperty
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnPropertyUpdate AFTER UPDATE ON ActualMaterialProperty
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID IN (OLD.MaterialID, NEW.MaterialID);
END;

CREATE TRIGGER MaterialStampOnPropertyDelete AFTER DELETE ON ActualMaterialProperty
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = OLD.MaterialID;
END;

CREATE TRIGGER MaterialStampOnMixtureInsert AFTER INSERT ON Mixture
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = NEW.MaterialID;
END;

CREATE TRIGGER MaterialStampOnMixtureUpdate AFTER UPDATE ON Mixture
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID IN (OLD.MaterialID, NEW.MaterialID);
END;

CREATE TRIGGER MaterialStampOnMixtureDelete AFTER DELETE ON Mixture
BEGIN
    UPDATE ActualMaterialCommon SET LibraryStamp = julianday('now', 'localtime') - 2415018.5
    WHERE MaterialID = OLD.MaterialID;
END
