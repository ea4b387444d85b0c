#pragma once
// The change the save driver makes before it saves: a revision text in one table of every kind of
// project database (the project description, the plant address, the material aliases and the
// labels of every recipe row), so that a save rewrites every file. The crash test applies the same
// change to copies to know the content a completed save writes.

class CDaoDatabase;

enum class ProjectDatabaseKind { Project, Equipment, Material, Step };

// One transaction on the database.
void ApplyRevision(CDaoDatabase& database, ProjectDatabaseKind kind, int revision);
