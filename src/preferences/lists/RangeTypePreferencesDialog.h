#pragma once
// "Specify Range Types" (dialog 1537): renames and deletes the project's range types and picks the
// default. A deleted type's row keeps its place with an empty name. OK checks every step for the
// deleted types and asks once before their range data goes; then the step databases and the
// project database are written in one transaction each, every write before the first commit, the
// steps committing first. A refusal or a failure keeps the dialog open with nothing written.

#include "preferences/shared/PreferenceGridDialog.h"

#include <QSet>

class CDaoDatabase;

class CRangeTypePreferencesDialog : public CPreferenceGridDialog {
    Q_OBJECT
public:
    explicit CRangeTypePreferencesDialog(QWidget* parent = nullptr);

    bool OnInitDialog();
    void OnDelete();
    void OnSetDefault();
    void OnOK() override;
    // Deletes the type's ranges in every step of the project, inside the transactions the caller
    // holds; false after the message on the first failure.
    bool DeleteRangeDataOfType(const QString& rangeTypeID);
    long DefaultRangeTypeID() const { return m_defaultRangeTypeID; }

private:
    enum Column { NAME_COL = 1, ID_COL = 2 };
    struct Deletions {
        QList<long> deleted; // every type whose name was emptied
        QList<long> used;    // of those, the ones some step holds ranges of
        bool recipeRangeType = false; // the text recipe's range type is one of them
    };

    void SetUpGrid(int rows);
    void PaintDefault(int defaultRow);
    bool HasDefault() const;
    // 1 used, 0 unused, -1 the steps could not be read (after the message).
    int IsRangeTypeUsed(long rangeTypeID, const QList<long>& steps) const;
    bool ScanDeletions(Deletions& deletions);
    static bool RecipeRangeTypeIn(const QList<long>& ids);
    bool NamesChanged() const;
    bool SaveRangeTypes(const Deletions& deletions);
    void WriteProjectRows(CDaoDatabase& project, const Deletions& deletions);
    void AfterCommit(const Deletions& deletions, bool renamed);

    long m_defaultRangeTypeID = 0;
    QList<long> m_steps;
};
