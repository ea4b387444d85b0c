-- Regulatory categories library ("RegulatoryCategories.mdb" in the install data folder): the
-- component categories that control efficiencies are given for, in library order. Opened
-- read-only.
CREATE TABLE ComponentCategories (
    CategoryID INTEGER PRIMARY KEY,
    ComponentCategory TEXT COLLATE NOCASE NOT NULL UNIQUE
);

INSERT INTO ComponentCategories (CategoryID, ComponentCategory) VALUES
    (1, 'Hazardous Air Pollutant'),
    (2, 'Volatile Organic Compound'),
    (3, 'Ozone Depleting Substance'),
    (4, 'Toxic Release Inventory'),
    (5, 'Greenhouse Gas'),
    (6, 'Particulate Matter'),
    (7, 'Non-VOC Organic');
