#pragma once
// Drives the real project dialogs in tests (see ScriptedPrompts.h): each queued action gets the
// dialog the code under test runs, fills its widgets and presses its buttons, and answers IDOK or
// IDCANCEL. An unscripted dialog cancels.

#include "ScriptedPrompts.h"
#include "projects/ProjectDialogService.h"

#include <QDialog>
#include <functional>

class ScriptedProjectDialogs : public ProjectDialogService,
                               public ScriptedAnswers<std::function<int(QDialog&)>> {
public:
    using Action = std::function<int(QDialog&)>;
    ScriptedProjectDialogs() : m_previous(SetProjectDialogService(this)) {}
    ~ScriptedProjectDialogs() override { SetProjectDialogService(m_previous); }
    ScriptedProjectDialogs(const ScriptedProjectDialogs&) = delete;
    ScriptedProjectDialogs& operator=(const ScriptedProjectDialogs&) = delete;

    // The action on the dialog of that type; a dialog of another type fails the test.
    template <typename Dialog> void expectDialog(std::function<int(Dialog&)> action)
    {
        expect([action](QDialog& dialog) {
            auto* typed = dynamic_cast<Dialog*>(&dialog);
            if (!typed) {
                ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className();
                return int(IDCANCEL);
            }
            return action(*typed);
        });
    }
    int Run(QDialog& dialog) override
    {
        m_titles << dialog.windowTitle();
        return next("dialog: " + dialog.windowTitle(), [](QDialog&) { return int(IDCANCEL); })(dialog);
    }
    const QStringList& titles() const { return m_titles; }

private:
    ProjectDialogService* m_previous;
    QStringList m_titles;
};

// Cancels every project dialog (the start-up chooser of an application started without a file)
// and keeps their titles.
class CancelledProjectDialogs : public ProjectDialogService {
public:
    CancelledProjectDialogs() : m_previous(SetProjectDialogService(this)) {}
    ~CancelledProjectDialogs() override { SetProjectDialogService(m_previous); }
    CancelledProjectDialogs(const CancelledProjectDialogs&) = delete;
    CancelledProjectDialogs& operator=(const CancelledProjectDialogs&) = delete;
    int Run(QDialog& dialog) override
    {
        m_titles << dialog.windowTitle();
        return IDCANCEL;
    }
    const QStringList& titles() const { return m_titles; }

private:
    ProjectDialogService* m_previous;
    QStringList m_titles;
};
