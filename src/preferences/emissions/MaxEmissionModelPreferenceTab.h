#pragma once
// The "Worst Case Emissions" page of the vapour emission sheet: for each emission model, the
// worst-case status ("Maximum", "Minimum" or "Target") of each of its parameters. The statuses of
// every model are read once; OK updates the Value of each changed (model, parameter) row by its
// key and deletes nothing.

#include "preferences/emissions/EmissionSheetPage.h"

#include <QList>
#include <QMap>
#include <QString>

class CObjectGridWnd;
class QComboBox;

class CMaxEmissionModelPreferenceTab : public CEmissionSheetPage {
    Q_OBJECT
public:
    static constexpr int MIN_ROWS = 5;
    static constexpr long HELP_TOPIC = 20013;
    static constexpr int STATUS_LIST = 0xCD31;
    static constexpr int PARAMETER_TEXT = 0xCD21;

    explicit CMaxEmissionModelPreferenceTab(QWidget* parent = nullptr);

    bool IsLoaded() const override { return m_loaded; }
    bool CheckEntries() override;
    bool OnKillActive() override;
    bool WritePage(CDaoDatabase& project) override;
    void OnHelp();

    // The model combo box's selection changed; refused while a shown parameter has no status.
    void OnSelChangeModel();

    CObjectGridWnd* grid() const { return m_grid; }
    QComboBox* modelCombo() const { return m_modelCombo; }
    long shownModel() const { return m_shownModel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Parameter {
        QString name;
        QString stored; // as read
        QString status;
    };

    void FillModelCombo();
    bool LoadStatuses();
    void LayOutGrid();
    void SizeColumns();
    void ShowModelParameters(long modelID);
    void ReadGrid();
    bool CheckWorstCaseStatus();
    void SelectModelInCombo(long modelID);

    CObjectGridWnd* m_grid = nullptr;
    QComboBox* m_modelCombo = nullptr;
    bool m_loaded = false;
    long m_shownModel = -1;
    int m_missingRow = 0;
    QMap<long, QList<Parameter>> m_models; // by model id, parameters in stored order
};
