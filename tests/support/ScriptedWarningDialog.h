#pragma once
// Scripted stand-in of the read-only warning dialog: queued answers (OK or Cancel and the check
// box), recorded requests. A dialog with no queued answer fails the running test and cancels.

#include "projects/WarningDialogService.h"

#include <QList>
#include <deque>

class ScriptedWarningDialogService : public WarningDialogService {
public:
    ScriptedWarningDialogService();
    ~ScriptedWarningDialogService() override;
    ScriptedWarningDialogService(const ScriptedWarningDialogService&) = delete;
    ScriptedWarningDialogService& operator=(const ScriptedWarningDialogService&) = delete;

    void expect(int result, bool dontAskAgain = false) { m_answers.push_back({result, dontAskAgain}); }
    WarningDialogAnswer show(const WarningDialogRequest& request) override;

    const QList<WarningDialogRequest>& requests() const { return m_requests; }

private:
    WarningDialogService* m_previous;
    std::deque<WarningDialogAnswer> m_answers;
    QList<WarningDialogRequest> m_requests;
};
