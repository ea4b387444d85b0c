#include "projects/LanguagePreferenceWindow.h"

#include "projects/LanguagePreferenceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

CLanguagePreferenceWindow::CLanguagePreferenceWindow(CLanguagePreferenceDialog& dialog, QWidget* parent)
    : QDialog(parent), m_dialog(dialog)
{
    setObjectName(QStringLiteral("1539"));
    setWindowTitle(QStringLiteral("Language Preference"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("Select the language to be used in the Text Recipe:"));
    prompt->setObjectName(QStringLiteral("1669"));
    layout->addWidget(prompt);
    m_combo = new QComboBox;
    m_combo->setObjectName(QStringLiteral("1179"));
    layout->addWidget(m_combo);
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("1"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    m_apply = buttons->addButton(QDialogButtonBox::Apply);
    m_apply->setObjectName(QStringLiteral("3"));
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &CLanguagePreferenceWindow::OnOK);
    connect(m_apply, &QPushButton::clicked, this, &CLanguagePreferenceWindow::OnApply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { m_dialog.OnCommandHelp(); });
    FillLanguages(m_dialog.OnInitDialog());
    m_apply->setEnabled(!m_dialog.m_bNewProject);
}

// Sorted by name; the entry of the current language selected, none when it is not listed.
void CLanguagePreferenceWindow::FillLanguages(const QString& current)
{
    QList<LanguageChoice> choices = CLanguagePreferenceDialog::AvailableLanguages();
    std::sort(choices.begin(), choices.end(), [](const LanguageChoice& a, const LanguageChoice& b) {
        return a.language.compare(b.language, Qt::CaseInsensitive) < 0;
    });
    for (const LanguageChoice& choice : choices)
        m_combo->addItem(choice.language, choice.fileName);
    m_combo->setCurrentIndex(m_combo->findText(current, Qt::MatchFixedString));
}

QString CLanguagePreferenceWindow::ChosenFileName() const
{
    return m_combo->currentIndex() < 0 ? QString() : m_combo->currentData().toString();
}

void CLanguagePreferenceWindow::OnOK()
{
    if (m_dialog.OnOK(ChosenFileName(), m_combo->currentText()))
        accept();
}

void CLanguagePreferenceWindow::OnApply()
{
    m_dialog.OnApply(ChosenFileName(), m_combo->currentText());
}
