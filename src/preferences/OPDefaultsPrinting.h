#pragma once
// The printout of the operation defaults on a printer: an 8-point sans-serif font in the
// printer's pixels, laid out by COPDefaultsPrintLayout.

#include <QString>
#include <array>
#include <vector>

class QPrinter;

struct PrintPageMetrics;

using OPDefaultsPrintRows = std::vector<std::array<QString, 4>>;

// The line height and printable area of the printout's pages on that printer, in its pixels.
PrintPageMetrics MeasureOPDefaultsPage(const QPrinter& printer);
// False when the printer does not start (nothing printed).
bool PrintOperationDefaults(QPrinter& printer, const QString& title, const OPDefaultsPrintRows& rows);
