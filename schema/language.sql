-- Language database (Language/*.lng): recipe-text templates of one recipe language.
--
-- Every later change adds a numbered migration: schema/migrations/language/NNN-name.sql (NNN = the
-- previous number + 1), folds the same change into this file and raises SCHEMA_VERSION below, which
-- the builder writes as PRAGMA user_version (see schema/migrations/README.md).
-- SCHEMA_VERSION 1
--
-- Conventions: text keys COLLATE NOCASE; booleans 0/1; 1e35 = number not set; dates REAL OLE
-- automation days; AutoNumber = INTEGER PRIMARY KEY; RowKey = stable key of a row without a
-- natural key. No foreign-key constraints.

CREATE TABLE LanguageInfo (
    LanguageName TEXT COLLATE NOCASE NOT NULL,
    VersionNumber TEXT NOT NULL,
    RowKey INTEGER PRIMARY KEY
);

-- Sentence templates of the generated recipe text, one per operation type and phrase; {name}
-- marks a value filled in by the text generator.
CREATE TABLE RecipeTextTemplate (
    OperationTypeID INTEGER NOT NULL,
    PhraseName TEXT COLLATE NOCASE NOT NULL,
    TemplateText TEXT NOT NULL,
    RowKey INTEGER PRIMARY KEY,
    UNIQUE (OperationTypeID, PhraseName)
);

-- Fixed words of the recipe language (keywords, unit texts).
CREATE TABLE RecipeTextWord (
    WordKey TEXT COLLATE NOCASE PRIMARY KEY,
    WordText TEXT NOT NULL
);
