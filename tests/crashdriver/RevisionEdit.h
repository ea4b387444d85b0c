#pragma once
// The change the save driver makes before it saves: a revision text in one table of every kind of
// project database (the project description, the plant address, the material aliases and the
// labels of every recipe row), so that a save rewrites every file. A partial revision changes only
// the project database and one step, so that its save leaves the other files alone. The crash test
// applies the same change to copies to know the content a completed save writes.

class CDaoDatabase;

enum class ProjectDatabaseKind { Project, Equipment, Material, Step };

// One transaction on the database.
void ApplyRevision(CDaoDatabase& database, ProjectDatabaseKind kind, int revision);

// Every third revision is partial.
inline bool IsPartialRevision(int revision)
{
    return revision % 3 == 0;
}
inline constexpr long PARTIAL_REVISION_STEP = 1002;
// Whether the revision changes that database (stepID for a step database only).
inline bool RevisionChanges(int revision, ProjectDatabaseKind kind, long stepID = -1)
{
    return !IsPartialRevision(revision) || kind == ProjectDatabaseKind::Project ||
           (kind == ProjectDatabaseKind::Step && stepID == PARTIAL_REVISION_STEP);
}
