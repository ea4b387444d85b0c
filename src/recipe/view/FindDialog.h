#pragma once
// The modeless Find box of the text-recipe windows: "Find Next" hands the search to the active
// recipe view, which selects the next matching line. Cancel, Esc and the close box only hide it
// (through the owner's hide handler), so it keeps its text, history and options.

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QRadioButton;

class CFindDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int TEMPLATE_ID = 321;

    // hide runs on Cancel, Esc and the close box; without one the dialog hides itself.
    explicit CFindDialog(QWidget* parent = nullptr, std::function<void()> hide = {});

    void OnFindNext();
    QString findText() const { return m_findText; }
    bool matchCase() const;
    int direction() const; // 0 up, 1 down
    QComboBox& findWhat() { return *m_findWhat; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void rememberText();

    QComboBox* m_findWhat = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QString m_findText;
    std::function<void()> m_hide;
};
