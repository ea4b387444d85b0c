#include "preferences/hub/OperationModelPreferenceDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/OperationLibrarySet.h"
#include "foundation/db/project/PreferenceModelSet.h"
#include "foundation/db/project/QueryModelSet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
constexpr long MODEL_SELECTION_HELP_TOPIC = 182;
constexpr long DEFINED_OPERATION_TYPES = 91;
const char* const MODELS_NOT_OPEN = "Can't open PREFER-Models table for initialization!";

QComboBox* modelCombo(QWidget* parent, int id)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    return combo;
}
} // namespace

COperationModelPreferenceDialog::COperationModelPreferenceDialog(QWidget* parent)
    : QDialog(parent), m_operations(modelCombo(this, 1246)), m_models(modelCombo(this, 1247))
{
    setObjectName(QStringLiteral("192"));
    setWindowTitle(QStringLiteral("Model Selection - Preferences"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Select an operation"), m_operations);
    form->addRow(QStringLiteral("Select a model "), m_models);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &COperationModelPreferenceDialog::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_operations, &QComboBox::currentIndexChanged, this, &COperationModelPreferenceDialog::OnOperationChanged);
    connect(m_models, &QComboBox::currentIndexChanged, this, &COperationModelPreferenceDialog::OnModelChanged);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

bool COperationModelPreferenceDialog::Load()
{
    m_selections.clear();
    m_bModified = false;
    CPreferenceModelSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QString::fromLatin1(MODELS_NOT_OPEN));
        return false;
    }
    long rows = 0;
    for (; !set.IsEOF(); set.MoveNext()) {
        if (++rows == DEFINED_OPERATION_TYPES + 1)
            QvMessageBox(QStringLiteral("There are more operation types than defined!"));
        const long typeID = set.GetLong(QStringLiteral("OperationTypeID"));
        if (typeID >= 1)
            m_selections[typeID] = set.IsFieldNull(QStringLiteral("SelectedModelTypeID"))
                                       ? -1
                                       : set.GetLong(QStringLiteral("SelectedModelTypeID"));
    }
    set.CloseSet();
    return true;
}

long COperationModelPreferenceDialog::Selection(long operationTypeID) const
{
    const auto found = m_selections.find(operationTypeID);
    return found == m_selections.end() ? -1 : found->second;
}

void COperationModelPreferenceDialog::OnInitDialog()
{
    WaitCursor wait;
    FillOperations();
    if (m_operations->count() > 0) {
        const QSignalBlocker blocker(m_operations);
        m_operations->setCurrentIndex(0);
    }
    OnOperationChanged();
    SortComboBox(m_operations);
    SortComboBox(m_models);
}

void COperationModelPreferenceDialog::FillOperations()
{
    const QSignalBlocker blocker(m_operations);
    m_operations->clear();
    COperationLibrarySet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Operation Library table to populate combo box!"));
        return;
    }
    for (; !set.IsEOF(); set.MoveNext()) {
        const QString name = set.GetText(QStringLiteral("OperationTypeName"));
        if (name.compare(QLatin1String("START"), Qt::CaseInsensitive) != 0)
            m_operations->addItem(name, qlonglong(set.GetLong(QStringLiteral("OperationTypeID"))));
    }
}

void COperationModelPreferenceDialog::FillModels(long operationTypeID)
{
    const QSignalBlocker blocker(m_models);
    m_models->clear();
    CQueryModelSet set;
    if (!set.OpenSet(operationTypeID)) {
        QvMessageBox(QStringLiteral("Can't open query model record set to populate model combo box!"));
        return;
    }
    const long selected = Selection(operationTypeID);
    for (; !set.IsEOF(); set.MoveNext()) {
        const long modelTypeID = set.GetLong(QStringLiteral("ModelTypeID"));
        m_models->addItem(set.GetText(QStringLiteral("ModelName")), qlonglong(modelTypeID));
        if (modelTypeID == selected)
            m_models->setCurrentIndex(m_models->count() - 1);
    }
    if (selected == -1 || m_models->findData(qlonglong(selected)) < 0)
        m_models->setCurrentIndex(-1);
    set.CloseSet();
}

void COperationModelPreferenceDialog::OnOperationChanged()
{
    if (m_operations->currentIndex() >= 0)
        FillModels(long(m_operations->currentData().toLongLong()));
    else
        m_models->clear();
}

void COperationModelPreferenceDialog::OnModelChanged()
{
    if (m_operations->currentIndex() < 0)
        return;
    const long typeID = long(m_operations->currentData().toLongLong());
    const long chosen = m_models->currentIndex() >= 0 ? long(m_models->currentData().toLongLong()) : -1;
    if (Selection(typeID) != chosen)
        m_bModified = true;
    m_selections[typeID] = chosen;
}

void COperationModelPreferenceDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), MODEL_SELECTION_HELP_TOPIC);
}

void COperationModelPreferenceDialog::OnOK()
{
    done(Accepted);
    if (m_bModified)
        Save();
}

void COperationModelPreferenceDialog::Save()
{
    WaitCursor wait;
    CPreferenceModelSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QString::fromLatin1(MODELS_NOT_OPEN));
        return;
    }
    CDaoDatabase& db = *set.GetDatabase();
    set.CloseSet();
    try {
        WriteSelections(db);
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return;
    }
    SetProjectModified(true);
}

// Every read row is replaced by the choices in ascending type id, in one transaction.
void COperationModelPreferenceDialog::WriteSelections(CDaoDatabase& db)
{
    CDaoTransaction transaction(db);
    db.Execute(QStringLiteral("DELETE FROM [PREFER-Models] WHERE OperationTypeID >= 1"));
    for (const auto& [typeID, modelTypeID] : m_selections) {
        if (modelTypeID != -1)
            db.Execute(QStringLiteral("INSERT INTO [PREFER-Models] (OperationTypeID, SelectedModelTypeID) VALUES (?, ?)"),
                       {qlonglong(typeID), qlonglong(modelTypeID)});
    }
    transaction.Commit();
}
