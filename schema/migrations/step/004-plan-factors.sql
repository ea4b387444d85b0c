-- Product factors of the second and third intermediates and the molecular weight of a batch size
-- given on another basis than the pure component. The base file holds the text these statements
-- leave in a migrated file, so both read alike.
ALTER TABLE Step ADD COLUMN ProductFactor REAL;
ALTER TABLE Step ADD COLUMN II2ProductFactor REAL;
ALTER TABLE Step ADD COLUMN II3Productfactor REAL;
ALTER TABLE Step ADD COLUMN OI2ProductFactor REAL;
ALTER TABLE Step ADD COLUMN OI3Productfactor REAL;
ALTER TABLE Step ADD COLUMN BatchSizeMW REAL;
