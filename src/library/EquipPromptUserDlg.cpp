#include "library/EquipPromptUserDlg.h"

#include "modules/ravelstock/LibraryComponent.h"

CEquipPromptUserDlg::CEquipPromptUserDlg(const QString& name, long handle, IEquipmentProject* project,
                                         QWidget* parent)
    : CSelectSourceDlg(QStringLiteral("equipment"), name, parent), m_handle(handle), m_project(project)
{
}

bool CEquipPromptUserDlg::NewNameTaken(const QString& newName)
{
    return m_project && m_project->IsNameTakenFor(m_handle, newName);
}
