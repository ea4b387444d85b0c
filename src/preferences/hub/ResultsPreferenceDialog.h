#pragma once
// "Results" (dialog 9997): the rounding bands of result values in [PREFER-ResultRounding], one
// grid row per band ("From" is the band before's "To"; an empty "To" has no upper end). OK and
// "&Update Text Recipe" validate the rows and replace the stored bands in one transaction; a
// refused row or a failed write keeps the dialog open and regenerates nothing. The grid has at
// least 10 rows, more when more bands are stored. When the recipe options could not be read the
// grid stays unset and OK and "&Update Text Recipe" are disabled.

#include <QDialog>
#include <memory>

class CObjectGridWnd;
class CMyGXEdit;
class QPushButton;

class CResultsPreferenceDialog : public QDialog {
    Q_OBJECT
public:
    explicit CResultsPreferenceDialog(QWidget* parent = nullptr);
    ~CResultsPreferenceDialog() override;

    bool OnInitDialog();
    void OnOK();
    void OnUpdateTextRecipe();
    void OnHelp();
    bool ValidateAndSaveRoundingRules();
    bool SaveRoundingRules();

    CObjectGridWnd* grid() const { return m_grid; }
    CMyGXEdit* toEdit() const { return m_toEdit.get(); }
    QPushButton* button(int id) const;
    bool m_bSaved = false;

private:
    void SetUpGrid(int rows);
    void LoadRules();
    QString RowError(int row) const;
    void WriteRules(class CDaoDatabase& db);
    QString Cell(int row, int col) const;

    CObjectGridWnd* m_grid;
    std::unique_ptr<CMyGXEdit> m_toEdit;
    QPushButton* m_update = nullptr; // 3
    QPushButton* m_ok = nullptr;     // 1
    bool m_gridSet = false;
};
