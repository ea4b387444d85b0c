#pragma once
// "Vapor Emission Models  ": for each operation type that emits vapour and each kind of its
// equipment, up to eight emission models in order of preference. Edits of every shown type are
// kept while the sheet is open; a model chosen twice for one kind keeps the page. Cells keep the
// id of the model they were loaded or picked with, so models of one name stay apart.

#include "preferences/emissions/EmissionModelPreferences.h"
#include "preferences/emissions/EmissionSheetPage.h"

class CMyGXComboBox;
class CObjectGridWnd;
class CQVPropertySheet;
class QComboBox;

class CVaporEmissionModelPreferenceTab : public CEmissionSheetPage {
    Q_OBJECT
public:
    static constexpr int OPERATION_COMBO = 1246;
    static constexpr int MODEL_GRID = 1172;
    static constexpr int MODEL_LIST_CONTROL = 2112;
    static constexpr int MIN_KINDS = 7;

    explicit CVaporEmissionModelPreferenceTab(CQVPropertySheet* sheet = nullptr);

    bool OnKillActive() override;
    bool CheckEntries() override;
    bool IsLoaded() const override { return m_operationsRead; }
    bool WritePage(CDaoDatabase& project) override;

    QComboBox* OperationCombo() const { return m_operations; }
    CObjectGridWnd* Grid() const { return m_grid; }
    long ShownOperationTypeID() const { return m_shownID; }
    void OnSelChangeOperation();

private:
    void BuildControls();
    void FillOperationCombo();
    void ShowOperationType(long operationTypeID);
    void LayOutGrid(const OperationEmissionModels& entry);
    void SizeGrid(int rows);
    void FillModelChoices(const OperationEmissionModels& entry);
    void ShowRankedModels(const OperationEmissionModels& entry);
    bool CopyGridToEntry();
    bool ValidateEmissionModelChoices();
    void ReselectShownOperation();

    CQVPropertySheet* m_sheet;
    QComboBox* m_operations = nullptr;
    CObjectGridWnd* m_grid = nullptr;
    CMyGXComboBox* m_modelList = nullptr;
    CEmissionModelPreferences m_preferences;
    long m_shownID = -1;
    bool m_operationsRead = false;
};
