#pragma once
// What a ".qvz" holds: a zip whose first entry is the stored root file (format version and the
// project's base name), then exactly the project's "<name>.prj", ".eqm", ".mtl" and one
// "STEP_<id>.STP" per step of the project, and the sequence file of each plan that has one. Entry
// names are plain file names, never paths.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

inline const QString QVZ_ROOT_ENTRY = QStringLiteral("QVZROOT");
constexpr int QVZ_FORMAT_VERSION = 1;

// One file of a package: its name inside the package and the file it is packed from.
struct QvzMember {
    QString entryName;
    QString sourcePath;
};

QByteArray QvzRootText(const QString& baseName);
// The base name the root text names; false for another format version or a name that is no
// plain file name.
bool ParseQvzRoot(const QByteArray& text, QString& baseName);
// One path component that stays inside the folder it is put in.
bool IsPlainQvzName(const QString& name);
// "<base>.prj", ".eqm", ".mtl" (the three every package holds), "STEP_<id>.STP" or a plan's
// sequence file ("<plan>_User_Sim_Def_<id>.txt").
bool IsQvzMemberName(const QString& entryName, const QString& baseName);
QStringList QvzRequiredMembers(const QString& baseName);
// A member that is a database (the project's three files and its steps); the others are a plan's
// sequence file, text.
bool IsQvzDatabaseMember(const QString& entryName);
// The most bytes a member of its kind may hold: 2 GiB for a database, 1 MiB for a text.
quint64 QvzMemberLimit(const QString& entryName);
QString QvzStepEntryName(long stepID);

// The project's files in the folder, found whatever their case, and its plans' sequence files in
// sequenceFolder (the folder itself when empty); false with the error when the project file cannot
// be read or a member is missing.
bool ListQvzMembers(const QString& folder, const QString& baseName, QList<QvzMember>& members, QString& error,
                    const QString& sequenceFolder = QString());
