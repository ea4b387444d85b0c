#pragma once
// Scripted stand-ins of the prompt and file-dialog services: queued answers, recorded texts.
// A prompt with no queued answer fails the running test and answers with the default button.

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"

#include <QStringList>
#include <deque>

class ScriptedPromptService : public PromptService {
public:
    ScriptedPromptService();
    ~ScriptedPromptService() override;

    void expect(int answer) { m_answers.push_back(answer); }
    int prompt(const QString& text, unsigned flags, const QString& caption) override;

    const QStringList& texts() const { return m_texts; }
    QList<unsigned> flags() const { return m_flags; }
    QString lastText() const { return m_texts.isEmpty() ? QString() : m_texts.last(); }
    bool allAnswersUsed() const { return m_answers.empty(); }
    void clear();

private:
    PromptService* m_previous;
    std::deque<int> m_answers;
    QStringList m_texts;
    QList<unsigned> m_flags;
};

class ScriptedFileDialogService : public FileDialogService {
public:
    ScriptedFileDialogService();
    ~ScriptedFileDialogService() override;

    void expect(const QString& path) { m_answers.push_back(path); }
    QString choose(const FileDialogRequest& request) override;
    const QList<FileDialogRequest>& requests() const { return m_requests; }

private:
    FileDialogService* m_previous;
    std::deque<QString> m_answers;
    QList<FileDialogRequest> m_requests;
};
