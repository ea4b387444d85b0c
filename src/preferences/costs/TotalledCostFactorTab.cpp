#include "preferences/costs/TotalledCostFactorTab.h"

#include "foundation/common/LeadingNumber.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/controls/ObjectGridWnd.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>

CTotalledCostFactorTab::CTotalledCostFactorTab(const Layout& layout, int totalID, const char* totalLabel,
                                               QWidget* parent)
    : CCostFactorTab(layout, parent)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromLatin1(totalLabel), this));
    m_total = new QLabel(this);
    m_total->setObjectName(QString::number(totalID));
    row->addWidget(m_total);
    row->addStretch(1);
    PageLayout()->addLayout(row);
}

QString CTotalledCostFactorTab::TotalText() const
{
    return m_total->text();
}

void CTotalledCostFactorTab::ShowTotal(double total)
{
    m_total->setText(FormatDouble(total));
}

void CTotalledCostFactorTab::UpdateTotalCostFactor(int row, int col, const QString& newValue)
{
    if (col != FACTOR_COL)
        return;
    double total = 0;
    for (int each = 1; each <= grid()->GetRowCount(); ++each)
        total += LeadingDouble(each == row ? newValue : Cell(each, FACTOR_COL));
    ShowTotal(total);
}

// The observer joins once the rows are in, so loading sums once.
void CTotalledCostFactorTab::AfterLoad()
{
    UpdateTotalCostFactor(0, FACTOR_COL, QString());
    grid()->SetValueObserver(this);
}

void CTotalledCostFactorTab::AfterDelete()
{
    UpdateTotalCostFactor(0, FACTOR_COL, QString());
}
