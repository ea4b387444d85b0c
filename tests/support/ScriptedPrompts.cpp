#include "ScriptedPrompts.h"

#include <gtest/gtest.h>

ScriptedPromptService::ScriptedPromptService() : m_previous(SetPromptService(this)) {}

ScriptedPromptService::~ScriptedPromptService()
{
    SetPromptService(m_previous);
    EXPECT_TRUE(m_answers.empty()) << "scripted prompt answers left unused: " << m_answers.size();
}

int ScriptedPromptService::prompt(const QString& text, unsigned flags, const QString&)
{
    m_texts << text;
    m_flags << flags;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected prompt: " << text.toStdString();
        return DefaultAnswer(flags);
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void ScriptedPromptService::clear()
{
    m_texts.clear();
    m_flags.clear();
}

ScriptedFileDialogService::ScriptedFileDialogService() : m_previous(SetFileDialogService(this)) {}

ScriptedFileDialogService::~ScriptedFileDialogService()
{
    SetFileDialogService(m_previous);
    EXPECT_TRUE(m_answers.empty()) << "scripted file-dialog answers left unused";
}

QString ScriptedFileDialogService::choose(const FileDialogRequest& request)
{
    m_requests << request;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
        return QString();
    }
    const QString answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
