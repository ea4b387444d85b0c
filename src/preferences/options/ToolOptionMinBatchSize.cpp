#include "preferences/options/ToolOptionMinBatchSize.h"

#include "foundation/common/MessageBox.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/project/MinBatchSizeOptionsSet.h"
#include "preferences/options/OptionRowsByKey.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int OPERATION_LIST = 1490;
constexpr int MIN_BATCH_RESET = 1487;
} // namespace

QListWidget* CToolOptionMinBatchSize::list() const
{
    return FindControl<QListWidget>(window(), OPERATION_LIST);
}

void CToolOptionMinBatchSize::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        new QLabel(QStringLiteral("Please place a check mark next to the Operation to include it in the "
                                  "minimum batch size calculations."),
                   page));
    auto* operations = new QListWidget(page);
    operations->setObjectName(QString::number(OPERATION_LIST));
    layout->addWidget(operations);
    layout->addWidget(new QLabel(
        QStringLiteral(
            "The minimum batch size is calculated based on the minimum stirred volume in the vessels."),
        page));
    auto* reset = new QPushButton(QStringLiteral("Reset"), page);
    reset->setObjectName(QString::number(MIN_BATCH_RESET));
    QObject::connect(reset, &QPushButton::clicked, page, [this] { OnReset(); });
    layout->addWidget(reset, 0, Qt::AlignLeft);
}

void CToolOptionMinBatchSize::OnInitDialog()
{
    m_rows.clear();
    CMinBatchSizeOptionsSet set;
    if (!set.OpenSet())
        return;
    for (; !set.IsEOF(); set.MoveNext()) {
        const bool current = set.GetBool("CurrentCheckForMinimumBatchSize");
        m_rows.append({set.GetLong("OperationID"), set.GetText("OperationTypeName"), current, current,
                       set.GetBool("DefaultCheckForMinimumBatchSize")});
    }
    set.CloseSet();
    for (const MinBatchSizeRow& row : m_rows) {
        auto* item = new QListWidgetItem(QStringLiteral("          ") + row.typeName, list());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
}

bool CToolOptionMinBatchSize::DoDataExchange(bool saveAndValidate)
{
    QListWidget* operations = list();
    for (int i = 0; i < m_rows.size() && i < operations->count(); ++i) {
        if (saveAndValidate)
            m_rows[i].check = operations->item(i)->checkState() == Qt::Checked;
        else
            operations->item(i)->setCheckState(m_rows[i].check ? Qt::Checked : Qt::Unchecked);
    }
    return true;
}

void CToolOptionMinBatchSize::OnReset()
{
    for (MinBatchSizeRow& row : m_rows)
        row.check = row.byDefault;
    if (window())
        DoDataExchange(false);
}

bool CToolOptionMinBatchSize::WriteRows(CDaoDatabase& database)
{
    CMinBatchSizeOptionsSet set;
    if (!set.OpenSet())
        return false;
    QSet<long> stored;
    for (; !set.IsEOF(); set.MoveNext())
        stored.insert(set.GetLong("OperationID"));
    set.CloseSet();
    QList<QVariantList> rows;
    for (const MinBatchSizeRow& row : m_rows)
        rows.append({qlonglong(row.operationID), int(row.check)});
    UpdateRowsByKey(database, QStringLiteral("MinimumBatchSizeOptions"), QStringLiteral("OperationID"),
                    {QStringLiteral("CurrentCheckForMinimumBatchSize")}, rows, stored);
    for (const MinBatchSizeRow& row : m_rows)
        m_bChanged = m_bChanged || (row.check != row.stored && stored.contains(row.operationID));
    return true;
}
