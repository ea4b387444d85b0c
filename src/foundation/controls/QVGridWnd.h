#pragma once
// The validating grid with rule sets of its own, chosen by PlanGridMode.
// Mode 1, the production-plan grid: columns 2 and 7 hold positive numbers, column 6 a date and
// time in the user's format. Empty cells are accepted (blank plan rows are skipped on save).

#include "foundation/controls/ObjectGridWnd.h"

#include <QDateTime>

class CQVGridWnd : public CObjectGridWnd {
    Q_OBJECT
public:
    explicit CQVGridWnd(QWidget* parent = nullptr) : CObjectGridWnd(parent) {}

    int PlanGridMode = 0;

    // Date and time of a plan cell in the user's locale format (shown with seconds); invalid when
    // it does not read.
    static QDateTime ReadPlanDateTime(const QString& text);
    static QString FormatPlanDateTime(const QDateTime& dateTime);

protected:
    bool OnValidateCell(int row, int col, const QString& text, QString* warning) override;

private:
    static QString CheckPositiveNumber(const QString& text);
};
