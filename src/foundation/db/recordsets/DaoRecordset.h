#pragma once
// Base of every recordset class. A subclass declares its SQL, base tables, keys and fields
// (DaoRecordsetDef) and adds its OpenSet/CloseSet over the open helpers below. Rows are read into
// memory at Open, so the record count is known at once; an Update writes only what changed.

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/recordsets/RecordsetDef.h"
#include "foundation/db/recordsets/RecordsetWriter.h"

#include <QHash>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

enum class DaoErrorMode {
    Show,      // the open helpers show the engine's description and answer false
    Quiet,     // they answer false without a message
    Propagate, // the CDaoException reaches the caller
};

class CDaoRecordset {
public:
    enum EditMode { dbEditNone, dbEditInProgress, dbEditAdd };
    using RowPredicate = std::function<bool(const CDaoRecordset&)>;

    explicit CDaoRecordset(const DaoRecordsetDef& def, CDaoDatabase* database = nullptr);
    virtual ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    // Named parameters of the SQL (":pPlanID" or "pPlanID"); applied by Open and Requery.
    void SetParameter(const QString& name, const QVariant& value);
    QVariant GetParameter(const QString& name) const;
    // An extra condition (with its own named parameters) and order over the declared SQL.
    void SetFilter(const QString& condition) { m_filter = condition; }
    void SetSort(const QString& orderBy) { m_sort = orderBy; }

    void Open(CDaoDatabase* database = nullptr);
    bool IsOpen() const { return m_open; }
    void Close();
    void Requery();
    CDaoDatabase* GetDatabase() const { return m_database; }
    const DaoRecordsetDef& GetDefinition() const { return *m_def; }

    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    bool IsBOF() const { return m_bof; }
    bool IsEOF() const { return m_eof; }
    long GetRecordCount() const { return m_liveCount; }
    // Moves to the first (next) row the predicate accepts; stays put and answers false otherwise.
    bool FindFirst(const RowPredicate& accepts);
    bool FindNext(const RowPredicate& accepts);

    QVariant GetFieldValue(const QString& name) const;
    void SetFieldValue(const QString& name, const QVariant& value);
    bool IsFieldNull(const QString& name) const;
    void SetFieldNull(const QString& name, bool null = true);
    long GetLong(const QString& name) const;
    short GetShort(const QString& name) const;
    double GetDouble(const QString& name) const;
    bool GetBool(const QString& name) const; // any non-zero value reads true
    QString GetText(const QString& name) const;
    double GetDate(const QString& name) const; // OLE automation date
    void SetLong(const QString& name, long value);
    void SetShort(const QString& name, short value);
    void SetDouble(const QString& name, double value);
    void SetBool(const QString& name, bool value); // stores 1 or 0
    void SetText(const QString& name, const QString& value);
    void SetDate(const QString& name, double oleDate);

    bool CanUpdate() const;
    EditMode GetEditMode() const { return m_editMode; }
    void AddNew();
    void Edit();
    // Writes the edit. After AddNew: the inserted row's id, the new row joins the set (at its end)
    // and the current row stays where it was; after Edit: 0.
    long Update();
    void CancelUpdate();
    void Delete();
    // Makes the row written by the last Update the current one.
    void MoveToLastModified();

    // How the open helpers report a failure (Show by default).
    void SetErrorMode(DaoErrorMode mode) { m_errorMode = mode; }

protected:
    // For a set over one of several tables of the same shape: closes the set and declares it anew.
    void SetDefinition(const DaoRecordsetDef& def);
    // Open helpers with the semantics every recordset class shares: an open set re-queries with
    // the parameters as they are now (also on the same database); false after the message when
    // the database is missing or closed (no message when it is empty).
    bool OpenOnDatabase(CDaoDatabase* database, const QString& notOpenMessage = QString());
    // The open project database; false without a message when there is no application object.
    bool OpenOnProjectDatabase(const QString& notOpenMessage);
    bool OpenOnStepDatabase(long stepID, const QString& notOpenMessage = QString());
    // Its own connection to the file (shared when the layer has the file open); "" = the project
    // database.
    bool OpenOnFile(const QString& path, const QString& notOpenMessage = QString(),
                    DatabaseRole role = DatabaseRole::ReadWrite);
    // Closes the set and lets go of its own connection.
    void CloseSet();
    bool HasOwnDatabase() const { return m_ownDatabase != nullptr; }

private:
    struct Row {
        QVariantList values;
        bool deleted = false;
    };

    const QHash<QString, int>& ColumnIndex() const;
    const std::vector<int>& WriteOrder() const;
    int FieldIndex(const QString& name) const;
    QString SelectSql() const;
    void Load();
    void ReadRows(class QSqlQuery& query);
    void PlaceAtFirst();
    const QVariantList& CurrentValues() const;
    const QVariantList& VisibleValues() const;
    void RequireCurrentRow() const;
    void RequireEditing() const;
    bool Report(const QString& text) const;
    template <typename Action> bool Guarded(Action action);

    const DaoRecordsetDef* m_def;
    mutable QHash<QString, int> m_columnIndex;
    mutable std::vector<int> m_writeOrder; // the columns by written name, for the writer
    CInsertPlans m_insertPlans;
    CDaoDatabase* m_database;
    std::unique_ptr<CDaoDatabase> m_ownDatabase;
    QHash<QString, QVariant> m_parameters;
    QString m_filter, m_sort;
    DaoErrorMode m_errorMode = DaoErrorMode::Show;

    std::vector<Row> m_rows;
    long m_liveCount = 0;
    int m_position = -1;
    bool m_open = false, m_bof = true, m_eof = true;
    EditMode m_editMode = dbEditNone;
    QVariantList m_buffer;
    std::vector<bool> m_changed;
    int m_lastModified = -1;
};
