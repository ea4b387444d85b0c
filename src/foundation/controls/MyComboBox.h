#pragma once
// The shared combo box: typing selects the first entry that begins with the typed text (any
// case); entries carry item data. The classic list calls are kept for the dialogs.

#include <QComboBox>

class CMyComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CMyComboBox(QWidget* parent = nullptr);

    int AddString(const QString& text);
    void SetItemData(int index, qint64 data) { setItemData(index, data); }
    qint64 GetItemData(int index) const { return itemData(index).toLongLong(); }
    int GetCurSel() const { return currentIndex(); }
    void SetCurSel(int index) { setCurrentIndex(index); }
    int GetCount() const { return count(); }
    void ResetContent() { clear(); }
    // First entry after 'after' (-1: from the start) that begins with prefix, ignoring case; -1 if none.
    int FindString(int after, const QString& prefix) const;
    int FindStringExact(int after, const QString& text) const;
    // Selects FindString's entry; returns its index or -1 (selection unchanged).
    int SelectString(int after, const QString& prefix);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_typed;
    qint64 m_lastKeyTime = 0;
};
