#pragma once
// Scripted dialogs of a library synchronisation (see ScriptedPrompts.h): the update list answers
// queued marks (none = closed without OK) and records the names it listed; each name clash dialog
// is driven by a queued step on its real widgets, which presses OK or Cancel.

#include "ScriptedPrompts.h"
#include "library/LibraryUpdateDialogs.h"
#include "library/SelectSourceDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>

class ScriptedLibraryDialogs : public LibraryUpdateDialogs {
public:
    using Marks = std::optional<std::vector<bool>>;
    using ClashStep = std::function<void(CSelectSourceDlg&)>;

    ScriptedLibraryDialogs() : m_previous(SetLibraryUpdateDialogs(this)) {}
    ~ScriptedLibraryDialogs() override
    {
        SetLibraryUpdateDialogs(m_previous);
        EXPECT_TRUE(m_marks.empty() && m_clashes.empty()) << "scripted library dialogs left unused";
    }
    ScriptedLibraryDialogs(const ScriptedLibraryDialogs&) = delete;
    ScriptedLibraryDialogs& operator=(const ScriptedLibraryDialogs&) = delete;

    void expectList(const Marks& marks) { m_marks.push_back(marks); }
    void expectClash(const ClashStep& step) { m_clashes.push_back(step); }

    Marks ChooseUpdates(const QString& kind, const std::vector<UpdateItem*>& items) override
    {
        QStringList names;
        for (const UpdateItem* item : items)
            names << item->serverName;
        m_lists << names;
        m_kinds << kind;
        if (m_marks.empty()) {
            ADD_FAILURE() << "unexpected update list";
            return std::nullopt;
        }
        Marks marks = m_marks.front();
        m_marks.pop_front();
        return marks;
    }
    int RunNameClash(CSelectSourceDlg& dialog) override
    {
        m_clashTexts << dialog.LineOne();
        if (m_clashes.empty()) {
            ADD_FAILURE() << "unexpected name clash: " << dialog.LineOne().toStdString();
            dialog.OnCancel();
        } else {
            ClashStep step = m_clashes.front();
            m_clashes.pop_front();
            step(dialog);
        }
        return dialog.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    }

    // Steps: keep the project's item (the box as given), or copy under each name in turn (OK after
    // each; the dialog stays open while a name is refused), or Cancel.
    static ClashStep Current(bool forAllRemaining = true)
    {
        return [=](CSelectSourceDlg& dialog) {
            dialog.ForAllBox()->setChecked(forAllRemaining);
            dialog.OnOK();
        };
    }
    static ClashStep External(const QStringList& names = {})
    {
        return [=](CSelectSourceDlg& dialog) {
            dialog.OnExternalProject();
            if (names.isEmpty())
                dialog.OnOK();
            for (const QString& name : names) {
                dialog.NewNameEdit()->setText(name);
                dialog.OnOK();
            }
        };
    }
    static ClashStep Cancel()
    {
        return [](CSelectSourceDlg& dialog) { dialog.OnCancel(); };
    }

    const QList<QStringList>& lists() const { return m_lists; }
    const QStringList& kinds() const { return m_kinds; }
    const QStringList& clashTexts() const { return m_clashTexts; }

private:
    LibraryUpdateDialogs* m_previous;
    std::deque<Marks> m_marks;
    std::deque<ClashStep> m_clashes;
    QList<QStringList> m_lists;
    QStringList m_kinds;
    QStringList m_clashTexts;
};
