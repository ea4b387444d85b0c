#pragma once
// The empty step database that every step file read from outside starts from: the step schema
// with its seed rows and the exchange tables (or, for a file whose library items travel apart from
// it, without them), built once per program run in the instance's temporary folder and then only
// copied. It is built again when it has gone missing or no longer
// carries the step schema's version.

#include <QString>

// The template's path, built first where needed; empty with the reason in error when it cannot
// be built.
QString EmptyStepTemplate(QString* error, bool exchangeTables = true);
