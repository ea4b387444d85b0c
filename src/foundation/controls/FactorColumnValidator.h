#pragma once
// The factor-column check of the cost pages and the stream-category dialog: an empty cell is
// accepted, any other text must be a number, and negatives may be refused.

#include "foundation/controls/GridCellValidator.h"

class CFactorColumnValidator : public IGridCellValidator {
public:
    enum Sign { AnySign, RefuseNegative };
    CFactorColumnValidator(int column, Sign sign) : m_column(column), m_sign(sign) {}

    bool ValidateCell(CObjectGridWnd& grid, int row, int col, const QString& text, QString* warning) override;

private:
    int m_column;
    Sign m_sign;
};
