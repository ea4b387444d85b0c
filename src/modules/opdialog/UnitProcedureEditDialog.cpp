#include "modules/opdialog/UnitProcedureEditDialog.h"

#include "foundation/common/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

CUnitProcedureEditDialog::CUnitProcedureEditDialog(const UnitProcedureEditInput& current,
                                                   const QList<EquipmentChoice>& equipment, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(current.name, this)), m_equipment(new QComboBox(this)),
      m_comment(new QPlainTextEdit(current.comment, this))
{
    setWindowTitle(QStringLiteral("Unit Procedure"));
    m_name->setObjectName(QStringLiteral("UnitProcedureName"));
    m_name->setMaxLength(255);
    m_equipment->setObjectName(QStringLiteral("PrimaryEquipment"));
    m_comment->setObjectName(QStringLiteral("UnitProcedureComments"));
    m_comment->setTabChangesFocus(true);
    fillEquipment(equipment, current.primaryEquipmentID);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Primary equipment:"), m_equipment);
    form->addRow(QStringLiteral("Comments:"), m_comment);
    form->addRow(buttons);
}

// "(none)" first; an id that is not among the facility's equipment is kept as it is.
void CUnitProcedureEditDialog::fillEquipment(const QList<EquipmentChoice>& equipment, long selectedID)
{
    m_equipment->addItem(QStringLiteral("(none)"), qlonglong(-1));
    for (const EquipmentChoice& choice : equipment)
        m_equipment->addItem(choice.tag, qlonglong(choice.id));
    int index = m_equipment->findData(qlonglong(selectedID));
    if (index < 0) {
        m_equipment->addItem(QStringLiteral("#%1").arg(selectedID), qlonglong(selectedID));
        index = m_equipment->count() - 1;
    }
    m_equipment->setCurrentIndex(index);
}

UnitProcedureEditInput CUnitProcedureEditDialog::input() const
{
    return {m_name->text().trimmed(), long(m_equipment->currentData().toLongLong()),
            m_comment->toPlainText()};
}

void CUnitProcedureEditDialog::accept()
{
    if (m_name->text().trimmed().isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter a name for the unit procedure."), MB_OK | MB_ICONEXCLAMATION);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
