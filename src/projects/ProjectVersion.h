#pragma once
// The version check that keeps a project written by a newer program from being opened, and the
// validated copy that turns a project database into its working copy.

#include <QString>

// A stored version text as (major, minor, letter): "37.1c" is (37, 1, 3).
struct ProjectVersionNumber {
    int major = 0;
    int minor = 0;
    int letter = 0; // "a" = 1 ... "o" = 15; none or any other character = 0

    auto operator<=>(const ProjectVersionNumber&) const = default;
};

ProjectVersionNumber ParseProjectVersion(const QString& text);
// The version of this program.
constexpr ProjectVersionNumber PROGRAM_PROJECT_VERSION{38, 0, 0};

// True when the project may be opened; otherwise false with the text the caller shows.
bool CheckProjectVersion(const QString& projectPath, QString& reason);
