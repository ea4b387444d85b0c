#pragma once
// The files of another project, named after its project file and found in its folder whatever
// their case, and the way they are read: read-only, with nothing of the file's own schema trusted,
// and no permission of theirs changed.

#include <QString>

class CDaoDatabase;

struct OtherProjectFiles {
    explicit OtherProjectFiles(const QString& projectPath) : m_projectPath(projectPath) {}

    QString Folder() const;
    // The material and equipment databases: the project file's name with "mtl" or "eqm" in place of
    // its last three characters.
    QString MaterialDB() const { return Beside(QStringLiteral("mtl")); }
    QString EquipmentDB() const { return Beside(QStringLiteral("eqm")); }
    QString StepDB(long stepID) const;

private:
    QString Beside(const QString& extension) const;
    QString Found(const QString& fileName) const;

    QString m_projectPath;
};

// Opens a file of another project for reading only, trusted_schema off. Raises CDaoException.
void OpenOtherProjectFile(CDaoDatabase& database, const QString& path);

// The path as the file system names it (links and "..", resolved), else clean and absolute; two
// paths name the same file when these are equal.
QString CanonicalProjectPath(const QString& path);
