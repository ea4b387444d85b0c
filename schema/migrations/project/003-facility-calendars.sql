-- Working calendars of the facilities, and the emission control paths and devices of a facility.
CREATE TABLE TblCalendar (
    CalendarID INTEGER PRIMARY KEY,
    CalendarName TEXT COLLATE NOCASE
);

-- One row per calendar and weekday (1 Sunday ... 7 Saturday); times are OLE day fractions.
CREATE TABLE TblCalendarWorkingTimes (
    CalendarID INTEGER NOT NULL,
    DayOfWeek INTEGER NOT NULL,
    Working INTEGER NOT NULL DEFAULT 0,
    FromTime1 REAL, ToTime1 REAL, FromTime2 REAL, ToTime2 REAL, FromTime3 REAL, ToTime3 REAL,
    FromTime4 REAL, ToTime4 REAL, FromTime5 REAL, ToTime5 REAL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX TblCalendarWorkingTimesByCalendar ON TblCalendarWorkingTimes (CalendarID, DayOfWeek);

CREATE TABLE TblCalendarException (
    CalendarID INTEGER NOT NULL,
    FromDate REAL,
    ToDate REAL,
    Working INTEGER NOT NULL DEFAULT 0,
    FromTime1 REAL, ToTime1 REAL, FromTime2 REAL, ToTime2 REAL, FromTime3 REAL, ToTime3 REAL,
    FromTime4 REAL, ToTime4 REAL, FromTime5 REAL, ToTime5 REAL,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX TblCalendarExceptionByCalendar ON TblCalendarException (CalendarID);

INSERT INTO TblCalendar (CalendarID, CalendarName) VALUES (1, 'Continuous'), (2, 'Standard Week');
INSERT INTO TblCalendarWorkingTimes (CalendarID, DayOfWeek, Working, FromTime1, ToTime1) VALUES
    (1, 1, 1, 0.0, 1.0), (1, 2, 1, 0.0, 1.0), (1, 3, 1, 0.0, 1.0), (1, 4, 1, 0.0, 1.0),
    (1, 5, 1, 0.0, 1.0), (1, 6, 1, 0.0, 1.0), (1, 7, 1, 0.0, 1.0),
    (2, 1, 0, NULL, NULL), (2, 2, 1, 0.333333333333333, 0.708333333333333),
    (2, 3, 1, 0.333333333333333, 0.708333333333333), (2, 4, 1, 0.333333333333333, 0.708333333333333),
    (2, 5, 1, 0.333333333333333, 0.708333333333333), (2, 6, 1, 0.333333333333333, 0.708333333333333),
    (2, 7, 0, NULL, NULL);

CREATE TABLE TblEmissionControlPath (
    EmissionControlPathID INTEGER PRIMARY KEY AUTOINCREMENT,
    PlantID INTEGER,
    EmissionControlPathName TEXT COLLATE NOCASE,
    FinalDestinationEquipmentID INTEGER,
    FinalVaporStreamName TEXT
);

CREATE TABLE TblECPEquipmentSequence (
    EmissionControlPathID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    SequenceNumber INTEGER NOT NULL DEFAULT 1,
    RowKey INTEGER PRIMARY KEY
);
CREATE INDEX TblECPEquipmentSequenceByPath ON TblECPEquipmentSequence (EmissionControlPathID);

CREATE TABLE TblEmissionControlDevice (
    PlantID INTEGER NOT NULL,
    EquipmentID INTEGER NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDCategoryEfficiency (
    EquipmentID INTEGER NOT NULL,
    Category TEXT,
    Efficiency REAL,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDComponentEfficiency (
    EquipmentID INTEGER NOT NULL,
    ComponentID INTEGER,
    Efficiency REAL,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDFlashDetail (
    EquipmentID INTEGER NOT NULL,
    CondensateDestinationID INTEGER,
    Temperature REAL,
    TemperatureUOM TEXT,
    RowKey INTEGER PRIMARY KEY
);

CREATE TABLE TblECDGeneratedComponent (
    EquipmentID INTEGER NOT NULL,
    ComponentID INTEGER,
    Amount REAL,
    RowKey INTEGER PRIMARY KEY
);
