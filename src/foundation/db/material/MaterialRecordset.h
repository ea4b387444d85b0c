#pragma once
// Base of the material singletons: a private connection kept between calls and reused while later
// calls name the same file; the set is requeried only while they also name the same data source,
// and reopened on that connection when the source changes.

#include "foundation/db/recordsets/DaoRecordset.h"

// The file a material set opens: the given one, or the project's material database for "".
QString MaterialFileOf(const QString& dbPath);
// The project's material working copy opens as such; any other file (a databank, a project
// folder's .mtl) read-only.
DatabaseRole MaterialDatabaseRoleOf(const QString& path);

class CMaterialRecordset : public CDaoRecordset {
public:
    // What the last OpenSet named: the file and the data source text.
    const QString& GetOpenedPath() const { return m_dbPath; }
    const QString& GetOpenedDataSource() const { return m_dataSource; }
    // Closes the set and keeps its connection for the next call on the file; does nothing unless
    // the singleton exists or the object was made on its own.
    void CloseSet();
    // Lets go of the connection while the singleton exists.
    void CloseDatabase();

protected:
    explicit CMaterialRecordset(const DaoRecordsetDef& def) : CDaoRecordset(def) {}
    virtual bool SingletonExists() const = 0;

    // The first steps of every OpenSet: stores the data source and the file, marks an object made
    // while no singleton existed, and answers the file.
    QString BeginOpen(const QString& dbPath, const QString& dataSource);
    // Opens the set of the definition on the file, or requeries it when it is open there already.
    bool OpenOnMaterialFile(const QString& path, const DaoRecordsetDef& def);
    // Declares the set anew (closing it) when it reads from another source.
    void SelectDefinition(const DaoRecordsetDef& def);
    // The private connection when it is open on the file; null otherwise.
    CDaoDatabase* ConnectionOn(const QString& path);
    bool CloseAllowed() const { return SingletonExists() || m_ownInstance; }
    void ReleaseDatabase();

private:
    QString m_dbPath, m_dataSource;
    QString m_matchedPath; // the path last found to name the connection's file, as the caller wrote it
    bool m_ownInstance = false;
};
