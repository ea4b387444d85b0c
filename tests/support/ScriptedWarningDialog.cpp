#include "ScriptedWarningDialog.h"

#include "foundation/common/MessageBox.h"

#include <gtest/gtest.h>

ScriptedWarningDialogService::ScriptedWarningDialogService() : m_previous(SetWarningDialogService(this)) {}

ScriptedWarningDialogService::~ScriptedWarningDialogService()
{
    SetWarningDialogService(m_previous);
    EXPECT_TRUE(m_answers.empty()) << "scripted warning-dialog answers left unused: " << m_answers.size();
}

WarningDialogAnswer ScriptedWarningDialogService::show(const WarningDialogRequest& request)
{
    m_requests << request;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected warning dialog: " << request.warningText.toStdString();
        return {IDCANCEL, false};
    }
    const WarningDialogAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
