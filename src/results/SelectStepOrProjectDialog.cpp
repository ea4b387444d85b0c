#include "results/SelectStepOrProjectDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

CSelectStepOrProjectDialog::CSelectStepOrProjectDialog(QWidget* parent)
    : CSelectStepDialog(parent),
      m_projectRadio(new QRadioButton(QStringLiteral("Project"))),
      m_stepRadio(new QRadioButton(QStringLiteral("Step")))
{
    setWindowTitle(QStringLiteral("Project/Step Selection"));
    auto* group = new QGroupBox(QStringLiteral(" Select One ... "), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_projectRadio);
    groupLayout->addWidget(m_stepRadio);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, group);
    connect(m_projectRadio, &QRadioButton::clicked, this, &CSelectStepOrProjectDialog::OnProject);
    connect(m_stepRadio, &QRadioButton::clicked, this, &CSelectStepOrProjectDialog::OnStep);
}

void CSelectStepOrProjectDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CSelectStepOrProjectDialog::OnInitDialog()
{
    m_projectRadio->setChecked(true);
    m_combo->setEnabled(false);
    CSelectStepDialog::OnInitDialog();
}

void CSelectStepOrProjectDialog::OnProject()
{
    m_projectChosen = true;
    m_projectRadio->setChecked(true);
    m_combo->setEnabled(false);
}

void CSelectStepOrProjectDialog::OnStep()
{
    m_projectChosen = false;
    m_stepRadio->setChecked(true);
    m_combo->setEnabled(true);
}

void CSelectStepOrProjectDialog::accept()
{
    if (m_projectChosen || TakeSelectedStep())
        QDialog::accept();
}
