#pragma once
// The hub's entries for the dialogs of the project's libraries: stream categories (1050), range
// types (1373), labour grades (1374) and comment types (1379).

void InstallLibraryPreferenceEntries();
