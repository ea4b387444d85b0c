#include "shell/bridge/OperationEditorDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/ServiceSlot.h"
#include "recipe/edit/FieldUnits.h"
#include "recipe/edit/NonNegativeValues.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
constexpr double EDITOR_UNSET_VALUE = 1e35;

QString ValueText(double value)
{
    return value >= EDITOR_UNSET_VALUE ? QString() : QString::number(value, 'g', 10);
}
} // namespace

const char* const COperationEditorDialog::EQUIPMENT_TIP =
    "The unit procedure's equipment: set it in the unit procedure's editor (double-click its line).";

COperationEditorDialog::COperationEditorDialog(const OperationEditorContent& content, QWidget* parent)
    : QDialog(parent), m_content(content), m_comments(new QPlainTextEdit(content.comments, this))
{
    setWindowTitle(QStringLiteral("Operation: ") + content.title);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Equipment:"), equipmentLabel(content.equipment));
    for (const OperationEditorField& field : content.fields) {
        auto* value = new QLineEdit(ValueText(field.value), this);
        value->setObjectName(QStringLiteral("Field%1").arg(field.fieldID));
        auto* row = new QHBoxLayout;
        row->addWidget(value);
        row->addWidget(new QLabel(field.uom, this));
        form->addRow(field.label + QLatin1Char(':'), row);
        m_values << value;
    }
    addChoices(*form);
    m_comments->setObjectName(QStringLiteral("OperationComments"));
    m_comments->setTabChangesFocus(true);
    form->addRow(QStringLiteral("Comments:"), m_comments);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

// The vessel as text, not a box: it is the unit procedure's, set there.
QLabel* COperationEditorDialog::equipmentLabel(const QString& tag)
{
    auto* equipment = new QLabel(tag, this);
    equipment->setObjectName(QStringLiteral("Equipment"));
    equipment->setTextFormat(Qt::PlainText);
    equipment->setTextInteractionFlags(Qt::TextSelectableByMouse);
    equipment->setToolTip(QString::fromLatin1(EQUIPMENT_TIP));
    return equipment;
}

// "(none)" first, then the library's items by name.
void COperationEditorDialog::addChoices(QFormLayout& form)
{
    for (const OperationEditorChoice& choice : std::as_const(m_content.choices)) {
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("Choice%1").arg(choice.fieldType));
        list->addItem(QStringLiteral("(none)"), qlonglong(-1));
        for (const auto& [id, name] : choice.items)
            list->addItem(name, qlonglong(id));
        list->setCurrentIndex(std::max(0, list->findData(qlonglong(choice.selected))));
        form.addRow(choice.label + QLatin1Char(':'), list);
        m_choices << list;
    }
}

// A text that is no number, or a number that reaches 1e35 once converted from the field's unit.
int COperationEditorDialog::invalidValueRow() const
{
    for (int row = 0; row < m_values.size(); ++row) {
        const std::optional<double> number = ParsedNumber(m_values.at(row)->text());
        if (!number || !IsStorableInUnit(*number, m_content.fields.at(row).uom))
            return row;
    }
    return -1;
}

OperationEditorContent COperationEditorDialog::content() const
{
    OperationEditorContent edited = m_content;
    for (int row = 0; row < m_values.size(); ++row) {
        // An unchanged text keeps the stored value exactly.
        if (m_values.at(row)->text() != ValueText(m_content.fields.at(row).value))
            edited.fields[row].value = ParsedNumber(m_values.at(row)->text()).value_or(EDITOR_UNSET_VALUE);
    }
    for (int row = 0; row < m_choices.size(); ++row)
        edited.choices[row].selected = long(m_choices.at(row)->currentData().toLongLong());
    edited.comments = m_comments->toPlainText();
    return edited;
}

void COperationEditorDialog::accept()
{
    if (const int row = invalidValueRow(); row >= 0) {
        QvMessageBox(QStringLiteral("Please enter a number for ") + m_content.fields.at(row).label + '.',
                     MB_OK | MB_ICONEXCLAMATION);
        m_values.at(row)->setFocus();
        return;
    }
    if (const int row = FirstRefusedNegativeField(content().fields); row >= 0) {
        QvMessageBox(NegativeValueMessage(m_content.fields.at(row).label), MB_OK | MB_ICONEXCLAMATION);
        m_values.at(row)->setFocus();
        return;
    }
    QDialog::accept();
}

int FirstRefusedNegativeField(const QList<OperationEditorField>& fields)
{
    for (int row = 0; row < fields.size(); ++row) {
        if (fields.at(row).nonNegative && fields.at(row).value < 0)
            return row;
    }
    return -1;
}

std::optional<OperationEditorContent> CQtOperationEditorForm::Ask(const OperationEditorContent& content)
{
    COperationEditorDialog dialog(content, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.content();
}

OperationEditorForm& GetOperationEditorForm()
{
    static CQtOperationEditorForm dialogs;
    OperationEditorForm* installed = ServiceSlot<OperationEditorForm>::Get();
    return installed ? *installed : dialogs;
}
