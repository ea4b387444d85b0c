#pragma once
// "Specify Comment Types" (dialog 9985): renames, adds and deletes the project's comment types and
// picks the default. The general type (1), the types the text recipe shows and the types a step or
// an operation comment holds cannot be deleted; a check that cannot read a table refuses too. OK
// validates the names and rewrites the library in one transaction; a failed write keeps the dialog
// open. A new name of a used type regenerates every recipe text.

#include "preferences/shared/PreferenceGridDialog.h"

#include <QHash>

class CCommentTypePreferencesDialog : public CPreferenceGridDialog {
    Q_OBJECT
public:
    explicit CCommentTypePreferencesDialog(QWidget* parent = nullptr);

    bool OnInitDialog();
    void OnInsert();
    void OnDelete();
    void OnSetDefault();
    void OnOK() override;
    bool ValidateCommentTypes();
    bool SaveCommentTypes();
    // 1 used, 0 not used, -1 a table could not be read (after its message).
    int IsCommentTypeUsed(long commentTypeID);
    long DefaultCommentTypeID() const { return m_defaultCommentTypeID; }

private:
    enum Column { NAME_COL = 1, ID_COL = 2 };

    void SetUpGrid(int rows);
    void StyleRow(int row, long id);
    void LoadRecipeViewingTypes();
    void PaintDefault(int defaultRow);
    int StepUsesCommentType(long stepID, long commentTypeID);
    bool UsedTypeRenamed();
    void AfterCommit(bool usedTypeRenamed);

    long m_defaultCommentTypeID = 0;
    QList<long> m_recipeViewingIDs;
    QHash<long, QString> m_loadedNames;
};
