#pragma once
// The one way a step file from outside the project (an exchange file, another project's step
// file, an export's scratch copy) is read: the file is opened read-only with trusted_schema off
// and checked (quick_check, header), an older one is first brought to the current step schema in
// a scratch copy with its triggers and views dropped, and then only the catalogued columns of its
// tables, read by name and checked value by value, go into a fresh step database copied from the
// empty step template, which is renamed over the file. Nothing of the file's own schema (triggers,
// views, defaults) ever runs against the project. A file that fails any check is left as it was.

#include <QString>

class CDaoDatabase;

class CStepFileReader {
public:
    // Rewrites the file in place as described; false with ErrorText() when the file cannot be used.
    // A step id other than 0 is the rewritten file's own: its [Step] row and every column that names
    // the step take it as they are copied (the file's values are checked as they stand).
    bool Rewrite(const QString& path, long stepID = 0);
    // The same from a file that is only read into a new file at the target (replaced when there,
    // deleted when the file is refused); given `kept`, the new file's connection stays open there.
    bool ReadInto(const QString& source, const QString& target, long stepID, CDaoDatabase* kept = nullptr);
    const QString& ErrorText() const { return m_errorText; }
    // The new file gets the step tables alone: whatever exchange tables the file has are not read
    // (another project's step file, whose library items the caller takes from that project).
    void ReadStepTablesOnly() { m_stepTablesOnly = true; }

private:
    bool Read(const QString& source, const QString& target, long stepID, CDaoDatabase* kept);
    bool CheckHeader(const QString& path);
    bool MigrateScratch(const QString& path, const QString& scratch);
    bool BuildFresh(const QString& source, const QString& freshPath, long stepID, CDaoDatabase* kept);
    bool Fail(const QString& reason);

    int m_fileVersion = 0;
    bool m_stepTablesOnly = false;
    QString m_errorText;
};
