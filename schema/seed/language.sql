-- The default recipe language: English.

INSERT INTO LanguageInfo (LanguageName, VersionNumber) VALUES ('English', '38.0');

INSERT INTO RecipeTextWord (WordKey, WordText) VALUES
    ('Unit Procedure', 'Unit Procedure'),
    ('Operation', 'Operation'),
    ('Start Parallel', 'Start Parallel'),
    ('End Parallel', 'End Parallel'),
    ('Start Or', 'Start Or'),
    ('End Or', 'End Or'),
    ('Series', 'Series'),
    ('Not Set', 'not set'),
    ('Ranges', 'Ranges'),
    ('To', 'to'),
    ('Out Of Step', 'out of the step'),
    ('Or', 'or'),
    ('And', 'and');
