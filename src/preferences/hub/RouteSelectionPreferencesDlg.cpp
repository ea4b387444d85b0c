#include "preferences/hub/RouteSelectionPreferencesDlg.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/LeadingNumber.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "preferences/hub/ChemPreferenceSql.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr long ROUTE_SELECTION_HELP_TOPIC = 20071;
const char* const CURRENT_YIELD_FROM = "FROM [PREFER-Chem] WHERE Name = 'DefaultCurrentYield' ORDER BY RowKey";
const char* const OPTIMAL_YIELD_FROM = "FROM [PREFER-Chem] WHERE Name = 'DefaultOptimizedYield' ORDER BY RowKey";
const char* const UPDATE_YIELD = "UPDATE [PREFER-Chem] SET [Value] = ? WHERE Name = ?";

QString clampedYieldText(const QString& text)
{
    return FormatTwoDecimals(std::clamp(LeadingDouble(text), 0.0, 100.0));
}

QPushButton* routeButton(QWidget* parent, const char* text, int id)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::number(id));
    return button;
}
} // namespace

CRouteSelectionPreferencesDlg::CRouteSelectionPreferencesDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("395"));
    setWindowTitle(QStringLiteral("Route Selection Preferences"));
    auto* layout = new QVBoxLayout(this);
    m_current = AddYieldGroup("Default current yield", 1309);
    m_optimal = AddYieldGroup("Default optimal yield", 1310);
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = routeButton(this, "&OK", 1);
    QPushButton* cancel = routeButton(this, "&Cancel", 2);
    QPushButton* help = routeButton(this, "&Help", 9);
    ok->setDefault(true);
    for (QPushButton* button : {ok, cancel, help})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CRouteSelectionPreferencesDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CRouteSelectionPreferencesDlg::OnHelp);
    OnInitDialog();
}

QLineEdit* CRouteSelectionPreferencesDlg::AddYieldGroup(const char* title, int id)
{
    auto* group = new QGroupBox(QString::fromLatin1(title), this);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QString::number(id));
    edit->installEventFilter(this);
    (new QVBoxLayout(group))->addWidget(edit);
    layout()->addWidget(group);
    return edit;
}

void CRouteSelectionPreferencesDlg::OnInitDialog()
{
    CDaoDatabase* db = GetProjectDatabase();
    m_current->setText(FormatTwoDecimals(GetDoubleFromDB(db, "Value", CURRENT_YIELD_FROM)));
    m_optimal->setText(FormatTwoDecimals(GetDoubleFromDB(db, "Value", OPTIMAL_YIELD_FROM)));
}

bool CRouteSelectionPreferencesDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == m_current || watched == m_optimal))
        Normalise();
    return QDialog::eventFilter(watched, event);
}

void CRouteSelectionPreferencesDlg::Normalise()
{
    m_current->setText(clampedYieldText(m_current->text()));
    m_optimal->setText(clampedYieldText(m_optimal->text()));
}

void CRouteSelectionPreferencesDlg::OnOK()
{
    Normalise();
    if (SaveYields())
        SetProjectModified(true);
    done(Accepted);
}

void CRouteSelectionPreferencesDlg::OnHelp()
{
    DisplayHelp(GetHelpFileName(), ROUTE_SELECTION_HELP_TOPIC);
}

// Both yields as numbers in one transaction; a failure (its message shown) rolls both back.
bool CRouteSelectionPreferencesDlg::SaveYields()
{
    CDaoDatabase* db = GetProjectDatabase();
    if (!db || !db->IsOpen())
        return ExecuteSQLDB(nullptr, QString());
    CDaoTransaction transaction(*db);
    const std::pair<QLineEdit*, const char*> yields[] = {{m_current, "DefaultCurrentYield"},
                                                         {m_optimal, "DefaultOptimizedYield"}};
    for (auto [edit, name] : yields) {
        if (!ExecuteSQLDB(db, UPDATE_YIELD, {LeadingDouble(edit->text()), QString::fromLatin1(name)}))
            return false;
    }
    transaction.Commit();
    return true;
}
