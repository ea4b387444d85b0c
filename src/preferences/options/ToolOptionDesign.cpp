#include "preferences/options/ToolOptionDesign.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/OptionsSet.h"
#include "foundation/db/project/SimulationOptionsSet.h"
#include "preferences/shared/UpDownControl.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int MAX_ITERATIONS = 32767;
const char* const NO_MEMORY = "This is not enough memory! Close some running application, and try again.";
} // namespace

CToolOptionDesign::CToolOptionDesign()
    : CToolOptionSimulation(QStringLiteral("DESIGN"),
                            {{1353, "ResultsDatabase", "Create Results Database"},
                             {1354, "OverFlow", "Check Overflow of Equipment Units"},
                             {1355, "UnderFlow", "Check Underflow of Equipment Units"}})
{
}

void CToolOptionDesign::LoadExtra(const CSimulationOptionsSet& set)
{
    if (!set.IsFieldNull("MaxDesignIterations"))
        m_iterations = set.GetShort("MaxDesignIterations");
}

void CToolOptionDesign::StoreExtra(CSimulationOptionsSet& set)
{
    set.SetShort("MaxDesignIterations", short(m_iterations));
}

bool CToolOptionDesign::LoadAfterRow()
{
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen()) {
        QvMessageBox(QString::fromLatin1(NO_MEMORY));
        return false;
    }
    try {
        COptionsSet set(database);
        set.Open();
        if (!set.IsEOF())
            m_name = m_loadedName = set.GetText("Description");
        set.Close();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    return true;
}

bool CToolOptionDesign::WriteAfterRow()
{
    if (m_name == m_loadedName)
        return true;
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen()) {
        QvMessageBox(QString::fromLatin1(NO_MEMORY));
        return false;
    }
    COptionsSet set(database);
    set.Open();
    if (!set.IsEOF()) {
        set.Edit();
        set.SetText("Description", m_name);
        set.Update();
    }
    set.Close();
    return true;
}

void CToolOptionDesign::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    BuildChecks(page, layout);
    auto* form = new QFormLayout;
    m_upDown = new CUpDownControl(page, 1392, 1390);
    form->addRow(QStringLiteral("Maximum number of Design Iterations"), m_upDown);
    auto* name = new QLineEdit(page);
    name->setObjectName(QStringLiteral("1627"));
    form->addRow(QStringLiteral("Options Name :"), name);
    layout->addLayout(form);
    layout->addStretch();
}

void CToolOptionDesign::OnInitDialog()
{
    m_upDown->SetRange(1, MAX_ITERATIONS);
    m_upDown->SetPos(m_iterations);
}

bool CToolOptionDesign::DoDataExchange(bool saveAndValidate)
{
    CToolOptionSimulation::DoDataExchange(saveAndValidate);
    auto* name = FindControl<QLineEdit>(window(), 1627);
    if (!saveAndValidate) {
        m_upDown->edit()->setText(QString::number(m_iterations));
        name->setText(m_name);
        return true;
    }
    m_name = name->text();
    return ReadIntegerEdit(m_upDown->edit(), 1, MAX_ITERATIONS, m_iterations);
}
