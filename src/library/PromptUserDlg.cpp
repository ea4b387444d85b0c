#include "library/PromptUserDlg.h"

CPromptUserDlg::CPromptUserDlg(int kind, const QString& name, IMaterialProject* project, QWidget* parent)
    : CSelectSourceDlg(kind == 1 ? QStringLiteral("material") : QString(), name, parent), m_kind(kind),
      m_checker(std::make_unique<CMaterialNameChecker>(project))
{
}

bool CPromptUserDlg::NewNameTaken(const QString& newName)
{
    return m_kind == 1 && m_checker->NameExists(newName);
}
