#pragma once
// Scripted stand-ins of the prompt and file-dialog services: queued answers, recorded requests.
// Each installs itself for its lifetime. A call with no queued answer fails the running test and
// answers as a dismissed dialog would; answers left unused fail it too.

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>

template <typename Answer> class ScriptedAnswers {
public:
    void expect(const Answer& answer) { m_answers.push_back(answer); }
    bool allAnswersUsed() const { return m_answers.empty(); }

protected:
    ~ScriptedAnswers()
    {
        EXPECT_TRUE(m_answers.empty()) << "scripted answers left unused: " << m_answers.size();
    }
    Answer next(const QString& call, const Answer& unscripted)
    {
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected " << call.toStdString();
            return unscripted;
        }
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

private:
    std::deque<Answer> m_answers;
};

class ScriptedPromptService : public PromptService, public ScriptedAnswers<int> {
public:
    int prompt(const QString& text, unsigned flags, const QString&) override
    {
        m_texts << text;
        m_flags << flags;
        return next("prompt: " + text, DefaultAnswer(flags));
    }
    const QStringList& texts() const { return m_texts; }
    QList<unsigned> flags() const { return m_flags; }
    QString lastText() const { return m_texts.isEmpty() ? QString() : m_texts.last(); }
    void clear()
    {
        m_texts.clear();
        m_flags.clear();
    }

private:
    ScopedPromptService m_installed{this};
    QStringList m_texts;
    QList<unsigned> m_flags;
};

class ScriptedFileDialogService : public FileDialogService, public ScriptedAnswers<QString> {
public:
    QString choose(const FileDialogRequest& request) override
    {
        m_requests << request;
        return next("file dialog: " + request.title, QString());
    }
    const QList<FileDialogRequest>& requests() const { return m_requests; }

private:
    ScopedFileDialogService m_installed{this};
    QList<FileDialogRequest> m_requests;
};
