#pragma once
// The name clash dialog of a material copy: a new name is checked through the material name
// checker (kind 1 only; another kind shows no kind text and checks nothing).

#include "library/MaterialNameChecker.h"
#include "library/SelectSourceDlg.h"

#include <memory>

class IMaterialProject;

class CPromptUserDlg : public CSelectSourceDlg {
public:
    CPromptUserDlg(int kind, const QString& name, IMaterialProject* project, QWidget* parent = nullptr);

    int m_kind;

protected:
    bool NewNameTaken(const QString& newName) override;

private:
    std::unique_ptr<INameChecker> m_checker;
};
