#include "foundation/common/Array.h"

#include "foundation/common/MessageBox.h"

#include <stdexcept>
#include <string>

void ReportArrayOutOfBounds(long index, long size)
{
    QvMessageBox(QStringLiteral("Attempted to access array member out-of-bounds"), MB_OK | MB_ICONSTOP);
    throw std::out_of_range("array index " + std::to_string(index) + " outside size " + std::to_string(size));
}
