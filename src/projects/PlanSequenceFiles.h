#pragma once
// The plans' user-defined sequence files of the open project. The working-copy folder holds the
// ones the user works on: the open copies each plan's file there from the project folder and the
// close deletes them. The project folder's files change only by a save (through its journal), by
// Save As and by the recovery write-back.

#include <QString>
#include <QStringList>

// The sequence file names of the open project's plans; false when the plans cannot be read.
bool ReadPlanSequenceFileNames(QStringList& names);
// The names of the folder's files that have a sequence file's shape.
QStringList SequenceFileNamesIn(const QString& folder);
// The file of that name in the folder: the existing one whatever its case, else the name itself.
QString SequenceFileIn(const QString& folder, const QString& name);

class CPlanSequenceFiles {
public:
    // Copies the plans' files of the project folder into the working-copy folder (any other
    // sequence file there goes first), each with the baseline a save compares against. A file that
    // cannot be copied is reported and stays out. Answers the copies made.
    QStringList CopyIn(const QString& projectFolder, const QString& workingFolder);
    // After a save in place: the files of this project that no plan has any more leave the project
    // folder; the plans' files found there are this project's from now on.
    void RemoveDropped(const QString& projectFolder, const QStringList& planFiles);
    // The close: the working copies go and the project folder's files are no longer this one's.
    void DeleteWorkingCopies(const QString& workingFolder);

private:
    QStringList m_projectFiles; // the names this project has in its project folder
};
