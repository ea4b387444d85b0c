#pragma once
// The master row of one material (or of all of them) from the project's material database or a
// databank. A process-wide singleton keeps its connection between calls; the project close
// destroys it.

#include "foundation/db/material/MaterialDataSource.h"
#include "foundation/db/material/MaterialRecordset.h"

#include <optional>

class CMaterialCommonSet : public CMaterialRecordset {
public:
    CMaterialCommonSet();
    ~CMaterialCommonSet() override;

    static CMaterialCommonSet* Instance();
    static void Destroy();

    // One material, or -1: every material in id order, of the file ("" = the project's material
    // database) read from the data source's rows; false after the database's message.
    bool OpenSet(long materialID, const QString& dbPath = QString(), const QString& dataSource = QString());
    static const DaoRecordsetDef& Definition(MaterialDataSource source = MaterialDataSource::Project);
    // The name of a material of the project's material database, by a kept statement once the
    // connection is open (by OpenSet the first time); *found tells whether the row is there. False
    // when the database does not open or read.
    bool ReadMaterialName(long materialID, QString* name, bool* found);

    // The columns; Null reads "", 1e35 or -999999999, and writing those stores Null.
    QString getAlias() const;
    void setAlias(const QString& value);
    double getAvailablePressure() const;
    void setAvailablePressure(double value);
    QString getAvailablePressureUOM() const;
    void setAvailablePressureUOM(const QString& value);
    double getAvailableTemperature() const;
    void setAvailableTemperature(double value);
    QString getAvailableTemperatureUOM() const;
    void setAvailableTemperatureUOM(const QString& value);
    QString getCASCode() const;
    void setCASCode(const QString& value);
    QString getClass() const;
    void setClass(const QString& value);
    QString getComments() const;
    void setComments(const QString& value);
    QString getCompanyCode() const;
    void setCompanyCode(const QString& value);
    double getCost() const;
    void setCost(double value);
    QString getCostUOM() const;
    void setCostUOM(const QString& value);
    QString getDataSource() const;
    void setDataSource(const QString& value);
    QString getDescription() const;
    void setDescription(const QString& value);
    long getMaterialID() const;
    void setMaterialID(long value);
    QString getMaterialName() const;
    void setMaterialName(const QString& value);
    long getMaterialTypeID() const;
    void setMaterialTypeID(long value);
    QString getMSDSCode() const;
    void setMSDSCode(const QString& value);
    QString getPurchasingCode() const;
    void setPurchasingCode(const QString& value);
    QString getSafetyNote() const;
    void setSafetyNote(const QString& value);
    QString getSAPCode() const;
    void setSAPCode(const QString& value);
    QString getWhoEntered() const;
    void setWhoEntered(const QString& value);
    QString getLookupParams() const;
    void setRuntimeParamLookup(const QString& value);

protected:
    bool SingletonExists() const override { return s_instance != nullptr; }

private:
    std::optional<QVariant> ReadKeptName(long materialID);
    static CMaterialCommonSet* s_instance;
};
