#pragma once
// The print and page set-up dialogs through one replaceable service: QPrintDialog and
// QPageSetupDialog in the program (no "selection" range, printing to a file offered), scripted
// answers in tests. The page layout chosen in the page set-up is kept for the session and every
// printer the program creates starts from it.

#include <QPageLayout>

class QPrinter;

class PrintDialogService {
public:
    virtual ~PrintDialogService() = default;
    // Lets the user set up the printer; false when the dialog was cancelled.
    virtual bool choose(QPrinter& printer) = 0;
    // Lets the user choose paper, orientation and margins; false when the dialog was cancelled.
    virtual bool setUpPage(QPrinter& printer);
};

PrintDialogService* SetPrintDialogService(PrintDialogService* service);
PrintDialogService* GetPrintDialogService();

bool ChoosePrinter(QPrinter& printer);

// The session's page set-up: one layout for the whole run of the program, unset (the printer's
// own) until the user chooses one.
class SessionPageSetup {
public:
    static SessionPageSetup& Instance();
    const QPageLayout& layout() const { return m_layout; }
    void setLayout(const QPageLayout& layout) { m_layout = layout; }
    // The printer takes the session's layout; an unset layout leaves it as it is.
    void applyTo(QPrinter& printer) const;
    // The page set-up dialog on the session's layout; on OK its choice becomes the session's.
    bool choose();

private:
    QPageLayout m_layout;
};

inline void ApplySessionPageLayout(QPrinter& printer)
{
    SessionPageSetup::Instance().applyTo(printer);
}

class ScopedPrintDialogService {
public:
    explicit ScopedPrintDialogService(PrintDialogService* s) : m_previous(SetPrintDialogService(s)) {}
    ~ScopedPrintDialogService() { SetPrintDialogService(m_previous); }
    ScopedPrintDialogService(const ScopedPrintDialogService&) = delete;
    ScopedPrintDialogService& operator=(const ScopedPrintDialogService&) = delete;

private:
    PrintDialogService* m_previous;
};
