#pragma once
// Message boxes with the classic flag words, routed through one replaceable prompt service:
// a QMessageBox in the program, scripted answers in tests, the default button under automation.

#include <QString>

enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};

enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFMASK = 0xF00;

class PromptService {
public:
    virtual ~PromptService() = default;
    // Shows the text and returns the button pressed (IDOK, IDYES, ...).
    virtual int prompt(const QString& text, unsigned flags, const QString& caption) = 0;
};

// The answer a box gives when nobody can press a button: its default button.
int DefaultAnswer(unsigned flags);

// Installs a prompt service and returns the one it replaces (nullptr = the built-in widget box).
PromptService* SetPromptService(PromptService* service);
PromptService* GetPromptService();

int QvMessageBox(const QString& text, unsigned flags = MB_OK, const QString& caption = QString());

// Answers every prompt with its default button and keeps the last text for the caller.
class AutomationPromptService : public PromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override;
    QString lastText() const { return m_lastText; }

private:
    QString m_lastText;
};

// RAII: installs a service for the scope and restores the previous one after it.
class ScopedPromptService {
public:
    explicit ScopedPromptService(PromptService* service) : m_previous(SetPromptService(service)) {}
    ~ScopedPromptService() { SetPromptService(m_previous); }
    ScopedPromptService(const ScopedPromptService&) = delete;
    ScopedPromptService& operator=(const ScopedPromptService&) = delete;

private:
    PromptService* m_previous;
};
