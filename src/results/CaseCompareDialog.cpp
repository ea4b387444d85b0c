#include "results/CaseCompareDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "results/ReportStepEntries.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
QString CaseResultsPath(long stepID)
{
    return ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID));
}
} // namespace

CCaseCompareDialog::CCaseCompareDialog(long baseStepID, const QString& baseStepName, QWidget* parent)
    : QDialog(parent), m_baseStepID(baseStepID), m_baseLabel(new QLabel(baseStepName)), m_list(new QListWidget)
{
    setWindowTitle(QStringLiteral("Case-Compare"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CCaseCompareDialog::OnSelectionChanged);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Base Case:")));
    layout->addWidget(m_baseLabel);
    layout->addWidget(new QLabel(QStringLiteral("Select the simulated step(s) for comparison:")));
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void CCaseCompareDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CCaseCompareDialog::OnInitDialog()
{
    m_initialised = true;
    WaitCursor wait;
    CQueryStepInProjectSet steps;
    steps.SetErrorMode(DaoErrorMode::Quiet);
    if (!steps.OpenSet())
        return;
    QList<long> seen{m_baseStepID};
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (seen.contains(stepID))
            continue;
        seen << stepID;
        QString text;
        bool empty = false;
        if (!ReadStepEntryText(stepID, text, empty)) {
            if (empty)
                QvMessageBox(QStringLiteral("Step table is empty!"));
            break;
        }
        if (QFile::exists(CaseResultsPath(stepID))) {
            auto* item = new QListWidgetItem(text, m_list);
            item->setData(Qt::UserRole, qlonglong(stepID));
        }
    }
    steps.CloseSet();
    if (SortServices* sort = GetSortServices())
        sort->SortListBoxItems(m_list);
}

void CCaseCompareDialog::OnSelectionChanged()
{
    m_ok->setEnabled(!m_list->selectedItems().isEmpty());
}

void CCaseCompareDialog::accept()
{
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem* item = m_list->item(row);
        if (!item->isSelected())
            continue;
        const long stepID = long(item->data(Qt::UserRole).toLongLong());
        m_resultPaths += CaseResultsPath(stepID) + QStringLiteral("?");
        m_stepIDs << stepID;
    }
    QDialog::accept();
}
