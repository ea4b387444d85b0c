#pragma once
// The printout of the operation defaults on a printer: an 8-point sans-serif font in the
// printer's pixels, laid out by COPDefaultsPrintLayout.

#include <QString>
#include <array>
#include <vector>

class QPrinter;

using OPDefaultsPrintRows = std::vector<std::array<QString, 4>>;

// False when the printer does not start (nothing printed).
bool PrintOperationDefaults(QPrinter& printer, const QString& title, const OPDefaultsPrintRows& rows);
