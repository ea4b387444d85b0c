#pragma once
// Inputs for the readers of databases: a program of changes applied to a valid database the
// program wrote, so that every input stays a database SQLite opens and what changes is what the
// reader trusts: values (NULL, extreme numbers, 1e35, texts in number columns, blobs), ids
// (duplicated, pointing at their own row), rows, tables and columns dropped, triggers and views
// added, user_version and application_id. Each change takes four bytes:
//   [kind] [table] [column or row] [value]
// selectors taken modulo the number of choices, so that any bytes are a program. A change SQLite
// refuses (a constraint, a column in an index) is skipped.

#include <QString>

#include <cstddef>
#include <cstdint>

void MutateDatabase(const QString& path, const std::uint8_t* program, std::size_t size);

// Program bytes that change one thing, for seeds.
QByteArray MutationSetValue(int table, int column, int row, int value);
QByteArray MutationOf(int kind, int table, int selector, int value);

// The Demo project as the program writes it (the same code as tools/qv-mkdb), made once per
// process: "<folder>Demo.prj", ".eqm", ".mtl", "STEP_<id>.STP".
QString DemoProjectFolder();
// The installed sample Demo as the build made it (with its production plans and transitions).
QString SampleProjectFolder();
// A copy of the sample Demo opened by the program's own open, once per process; it stays open, with the
// default recipe language built from schema/. Answers its folder (its working copies lie there too).
QString OpenedDemoFolder();
// The results of a short run of three operations of the Demo's step 1001 as the program writes
// them, made once per process.
QString ShortRunResultsFile();
