#pragma once
// A drop-down list registered with a grid under a control id: every cell that names the id
// offers this one list, and each entry carries its item data. The widget itself is never shown;
// it only holds the list (so the list can be sorted like any combo box).

#include <QComboBox>

class CMyGXComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CMyGXComboBox(QWidget* parent = nullptr);

    int AddString(const QString& text);
    void SetItemData(int index, qint64 data);
    qint64 GetItemData(int index) const;
    int FindStringExact(const QString& text) const; // -1 when absent
    void ResetContent() { clear(); }
    int GetCount() const { return count(); }
};
