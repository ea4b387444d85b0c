#pragma once
// Scripted stand-in of the read-only warning dialog (see ScriptedPrompts.h): queued answers (OK or
// Cancel and the check box), recorded requests; an unscripted dialog cancels.

#include "ScriptedPrompts.h"
#include "projects/WarningDialogService.h"

class ScriptedWarningDialogService : public WarningDialogService,
                                     public ScriptedAnswers<WarningDialogAnswer> {
public:
    ScriptedWarningDialogService() : m_previous(SetWarningDialogService(this)) {}
    ~ScriptedWarningDialogService() override { SetWarningDialogService(m_previous); }
    ScriptedWarningDialogService(const ScriptedWarningDialogService&) = delete;
    ScriptedWarningDialogService& operator=(const ScriptedWarningDialogService&) = delete;

    void expect(int result, bool dontAskAgain = false) { ScriptedAnswers::expect({result, dontAskAgain}); }
    WarningDialogAnswer show(const WarningDialogRequest& request) override
    {
        m_requests << request;
        return next("warning dialog: " + request.warningText, {IDCANCEL, false});
    }
    const QList<WarningDialogRequest>& requests() const { return m_requests; }

private:
    WarningDialogService* m_previous;
    QList<WarningDialogRequest> m_requests;
};
