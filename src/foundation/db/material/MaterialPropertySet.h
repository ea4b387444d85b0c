#pragma once
// One property value of one material, found by (MaterialID, MaterialPropertyID) in the project's
// material database or a databank. Every seek is one keyed SELECT, so it sees the latest writes.
// A process-wide singleton keeps its connection between calls; the project close destroys it.

#include "foundation/db/material/MaterialDataSource.h"
#include "foundation/db/material/MaterialRecordset.h"

class CMaterialPropertySet : public CMaterialRecordset {
public:
    CMaterialPropertySet();
    ~CMaterialPropertySet() override;

    static CMaterialPropertySet* Instance();
    static void Destroy();

    // Seeks the property row of the file ("" = the project's material database) in the data
    // source's table: true when it is there. With either id -1 the set opens without a current
    // row and answers true.
    bool OpenSet(long materialID, long propertyID, const QString& dbPath = QString(),
                 const QString& dataSource = QString());
    static const DaoRecordsetDef& Definition(MaterialDataSource source = MaterialDataSource::Project);

    // The value in the project's material database; 1e35 (-999999999) when it is Null or the row
    // does not open. The set is closed afterwards, its connection kept.
    double ReadDoubleValue(long materialID, long propertyID);
    long ReadIntegerValue(long materialID, long propertyID);
    // Deletes every property row of the material from the set's database; false without one, or
    // after the database's message.
    bool DeleteMaterialProperties(long materialID);

    // The columns; Null reads "", 1e35 or -999999999, and writing those (or NaN) stores Null.
    long getMaterialID() const;
    void setMaterialID(long value);
    long getMaterialPropertyID() const;
    void setMaterialPropertyID(long value);
    double getDoubleValue() const;
    void setDoubleValue(double value);
    QString getValueUOM() const;
    void setValueUOM(const QString& value);
    QString getTextValue() const;
    void setTextValue(const QString& value);
    long getIntegerValue() const;
    void setIntegerValue(long value);

protected:
    bool SingletonExists() const override { return s_instance != nullptr; }

private:
    // Whether a read can run on the kept connection alone: it is open on the project's material
    // database and the set may be closed afterwards.
    bool CanReadKept(long materialID, long propertyID);
    // Column `column` (0 DoubleValue, 1 IntegerValue) of the row; Null when it is missing.
    QVariant ReadKept(long materialID, long propertyID, int column);

    static CMaterialPropertySet* s_instance;
};
