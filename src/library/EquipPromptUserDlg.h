#pragma once
// The name clash dialog of an equipment copy: a new name is checked through the equipment
// project-side object for the item being applied.

#include "library/SelectSourceDlg.h"

class IEquipmentProject;

class CEquipPromptUserDlg : public CSelectSourceDlg {
public:
    CEquipPromptUserDlg(const QString& name, long handle, IEquipmentProject* project, QWidget* parent = nullptr);

protected:
    bool NewNameTaken(const QString& newName) override;

private:
    long m_handle;
    IEquipmentProject* m_project; // not owned
};
