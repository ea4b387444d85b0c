#pragma once
// "Stream Category" (dialog 256): the project's stream categories with their disposal cost and its
// unit. A category an operation field of a step names cannot be deleted; a step that cannot be
// read counts as using it. OK rewrites the table in one transaction, regenerating every recipe
// text when a used category got a new name; a refusal or a failed write keeps the dialog open.

#include "foundation/controls/FactorColumnValidator.h"
#include "preferences/shared/PreferenceGridDialog.h"

class CStreamCategoryPreferenceDialog : public CPreferenceGridDialog {
    Q_OBJECT
public:
    explicit CStreamCategoryPreferenceDialog(QWidget* parent = nullptr);

    enum Usage { CHECK_FAILED = 0, USED = 1, NOT_USED = 2 };

    bool OnInitDialog();
    void OnInsert();
    void OnDelete();
    void OnOK() override;
    bool SaveStreamCategories();
    int IsStreamCategoryUsed(const QString& streamCategoryID);

private:
    enum Column { NAME_COL = 1, COST_COL = 2, UOM_COL = 3, ID_COL = 4 };

    void SetUpGrid(int rows);
    void StyleRows(int fromRow, int toRow);
    bool DeleteCheckedRow(int row, const QString& refusal);
    bool CheckRows(bool* usedRenamed);
    bool WriteRows();

    QString m_unitList;
    CFactorColumnValidator m_costValidator{COST_COL, CFactorColumnValidator::RefuseNegative};
};
