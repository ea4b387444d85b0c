#pragma once
// "Model Selection - Preferences" (dialog 192): the default model of each operation type, kept in
// [PREFER-Models]. Choices are keyed by type id: every stored row with an id of 1 or more is read
// and rewritten by a save; rows with a smaller id are left alone. OK closes first, then, when a
// choice changed, rewrites the rows in one transaction and marks the project modified after it.

#include <QDialog>
#include <map>

class QComboBox;

class COperationModelPreferenceDialog : public QDialog {
    Q_OBJECT
public:
    explicit COperationModelPreferenceDialog(QWidget* parent = nullptr);

    // Reads the stored choices; false (after its message) when they cannot be read.
    bool Load();
    void OnInitDialog();
    void OnOK();
    void OnHelp();
    QComboBox* operations() const { return m_operations; }
    QComboBox* models() const { return m_models; }
    long Selection(long operationTypeID) const;
    bool IsModified() const { return m_bModified; }

private:
    void FillOperations();
    void FillModels(long operationTypeID);
    void OnOperationChanged();
    void OnModelChanged();
    void Save();
    void WriteSelections(class CDaoDatabase& db);

    QComboBox* m_operations = nullptr; // 1246
    QComboBox* m_models = nullptr;     // 1247
    std::map<long, long> m_selections; // type id -> model type id, -1 none
    bool m_bModified = false;
};
