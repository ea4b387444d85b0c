#pragma once
// The recovery write-back: the working copies an earlier instance left behind take the place of the
// project's (or template's) files, which stay under their name + "1". A step's copy comes back only
// when the recovered project holds the step.

#include <QList>
#include <QString>

struct ProjectFileSet;

class CProjectRecovery {
public:
    // files: the earlier instance's working copies (set by the in-use marker's check) and whether
    // the project is a template.
    explicit CProjectRecovery(const ProjectFileSet& files) : m_files(files) {}

    // False after the message when the project's files could not be replaced (the open stops).
    bool ReplaceProjectFiles(const QString& projectFolder, const QString& temporaryFolder,
                             const QString& name) const;

private:
    struct RecoveredFile {
        QString source, target, failedMessage;
        bool text = false; // a plan's sequence file, copied as it is
        long stepID = -1;  // a step working copy's step
    };
    QList<RecoveredFile> RecoveredFiles(const QString& base, const QString& projectFolder) const;
    static bool CopyBackToTemporaries(const QList<RecoveredFile>& files);
    static void LeaveOutStepsNotInProject(QList<RecoveredFile>& files);
    static bool PutRecoveredFilesInPlace(const QList<RecoveredFile>& files);

    const ProjectFileSet& m_files;
};
