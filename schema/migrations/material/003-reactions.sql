-- Reaction data sets: named sets of reactions; each reaction lists its components with their
-- stoichiometric coefficients (negative for what it consumes, positive for what it forms).
CREATE TABLE ReactionDataSetTable (
    ReactionDataSetID INTEGER PRIMARY KEY,
    ReactionDataSetName TEXT COLLATE NOCASE NOT NULL,
    Description TEXT
);

CREATE TABLE ReactionTable (
    ReactionID INTEGER PRIMARY KEY,
    ReactionDataSetID INTEGER NOT NULL,
    ReactionName TEXT COLLATE NOCASE,
    SequenceNumber INTEGER NOT NULL DEFAULT 1,
    KeyComponentID INTEGER,
    Conversion REAL
);
CREATE INDEX ReactionTableByDataSet ON ReactionTable (ReactionDataSetID);

CREATE TABLE ReactionCoefficientTable (
    ReactionID INTEGER NOT NULL,
    ComponentID INTEGER NOT NULL,
    Coefficient REAL NOT NULL,
    PRIMARY KEY (ReactionID, ComponentID)
);
