#pragma once
// "Labor Preference" (dialog 1538): the project's labour grades with their cost, its unit and the
// operators available. A grade an operation field of a step names cannot be deleted, whether its
// row is deleted or its name cleared; a step that cannot be read refuses too. OK rewrites the
// table in one transaction; a failed write keeps the dialog open.

#include "preferences/shared/PreferenceGridDialog.h"

#include <QHash>

class CLaborPreferenceDialog : public CPreferenceGridDialog {
    Q_OBJECT
public:
    explicit CLaborPreferenceDialog(QWidget* parent = nullptr);

    bool OnInitDialog();
    void OnInsert();
    void OnDelete();
    void OnOK() override;
    // True when no step uses the grade; false after the message otherwise, or when the steps
    // cannot be read.
    bool CanDeleteLaborGrade(long laborGradeID, const QString& name);
    bool SaveLaborGrades();

private:
    enum Column { GRADE_COL = 1, COST_COL = 2, UOM_COL = 3, AVAILABLE_COL = 4, ID_COL = 5 };

    void SetUpGrid(int rows);
    void StyleRows(int fromRow, int toRow);
    void LoadRow(int row, const class CLaborCategorySet& set);
    bool DeleteCheckedRow(int row);
    bool ClearedGradesDeletable();

    QString m_unitList;
    QHash<long, QString> m_loadedNames;
};
