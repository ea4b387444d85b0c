-- Every equipment item the step's data names.
CREATE VIEW QryStepAllEquipment AS
SELECT PrimaryEquipmentID AS EquipmentID FROM UnitProcedure WHERE PrimaryEquipmentID IS NOT NULL;
