#pragma once
// Ordinal 17 of the operation-dialog module: the emission control paths of one facility. The user
// chooses a path, adds one (a name unique in the facility, a final destination among the
// facility's equipment, a final vapour stream), renames or deletes one (its equipment sequence
// and the default-path rows naming it go too). Each change is written at once, in a transaction of
// its own, and marks the project modified.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;

class CEmissionControlPathDialog : public QDialog {
    Q_OBJECT
public:
    CEmissionControlPathDialog(long pathID, long facilityID, QWidget* parent = nullptr);

    // False when the facility's paths or equipment did not read (the message was shown).
    bool IsLoaded() const { return m_loaded; }
    long SelectedPathID() const;
    void SelectPath(long pathID);

    // The actions of the buttons, on the entries as they stand; false after the message.
    bool AddPath();
    bool RenamePath();
    bool DeletePath();

    QListWidget* pathList() const { return m_paths; }
    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* destinationCombo() const { return m_destination; }
    QLineEdit* streamEdit() const { return m_stream; }

private:
    void BuildLayout();
    bool FillDestinations();
    bool FillPaths(long selectID);
    void ShowSelectedPath();
    bool CheckName(const QString& name, long exceptID) const;
    template <typename Write> bool WriteChange(Write write);

    long m_facilityID;
    bool m_loaded = false;
    QListWidget* m_paths = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_destination = nullptr;
    QLineEdit* m_stream = nullptr;
};

// Runs the dialog: exec() in the program; tests install a script of their own.
class EmissionPathDialogRunner {
public:
    virtual ~EmissionPathDialogRunner() = default;
    virtual int Run(CEmissionControlPathDialog& dialog) = 0;
};

// The chosen path's id on OK (-1 when none is chosen); -1 on Cancel.
long EditEmissionControlPaths(long pathID, const QString& pathName, long facilityID);
