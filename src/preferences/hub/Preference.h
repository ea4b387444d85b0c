#pragma once
// The preference hub: sixteen icon buttons, each opening one preference dialog or handing the
// request to the main frame, and the name of the project's preference set. The hub and every
// dialog it opens work on the open project's database.

#include <QDialog>

class QLineEdit;
class QPushButton;

class CPreference : public QDialog {
    Q_OBJECT
public:
    static constexpr int EDIT_NAME = 1627;
    static constexpr long HELP_TOPIC = 284;

    explicit CPreference(QWidget* parent = nullptr);

    int DoModal(); // IDOK or IDCANCEL
    QPushButton* button(int id) const;
    QLineEdit* nameEdit() const { return m_nameEdit; }
    // Set once a Rounding dialog opened from here saved its rules on OK; it stays set.
    bool m_bRoundingSaved = false;

    void OnButton(int id);
    void OnHelp();
    void OnOK();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReadName();
    bool WriteName();
    void BuildLayout();
    QPushButton* AddIconButton(class QGridLayout* grid, int id, int row, int column);
    void EnableEntryButtons();

    void OnPageButton(int id);
    void OnEntryButton(int id);
    void OnCalendar();

    QString m_strName;       // the name in the edit
    QString m_strLoadedName; // the name as read when the hub was built
    QLineEdit* m_nameEdit = nullptr;
};

// Runs the hub over the open project; answers its rounding-saved flag.
bool RunPreferenceHub(QWidget* parent);

// The icon of a hub button: our own small drawing, one colour and glyph per icon id.
class QIcon;
QIcon PreferenceIcon(int iconID);
