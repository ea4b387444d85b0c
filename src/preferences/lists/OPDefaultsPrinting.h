#pragma once
// The printout of the operation defaults on a printer: an 8-point sans-serif font in the
// printer's pixels, laid out by COPDefaultsPrintLayout.

#include "preferences/lists/OPDefaultsPrintLayout.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

class QPainter;
class QPaintDevice;
class QPrinter;

using OPDefaultsPrintRows = std::vector<std::array<QString, 4>>;

// The line height and printable area of the printout's pages on that device, in its pixels.
PrintPageMetrics MeasureOPDefaultsPage(const QPaintDevice& device);
// Paints the pages with the painter, active on a device of those metrics; before each page after
// the first, nextPage starts it, or answers false to end the printout there.
void PaintOperationDefaults(QPainter& painter, const PrintPageMetrics& metrics, const QString& title,
                            const OPDefaultsPrintRows& rows, const std::function<bool()>& nextPage);
// False when the printer does not start (nothing printed).
bool PrintOperationDefaults(QPrinter& printer, const QString& title, const OPDefaultsPrintRows& rows);
