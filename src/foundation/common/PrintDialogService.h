#pragma once
// The print dialog through one replaceable service: QPrintDialog in the program (no "selection"
// range, printing to a file offered), scripted answers in tests.

class QPrinter;

class PrintDialogService {
public:
    virtual ~PrintDialogService() = default;
    // Lets the user set up the printer; false when the dialog was cancelled.
    virtual bool choose(QPrinter& printer) = 0;
};

PrintDialogService* SetPrintDialogService(PrintDialogService* service);
PrintDialogService* GetPrintDialogService();

bool ChoosePrinter(QPrinter& printer);

class ScopedPrintDialogService {
public:
    explicit ScopedPrintDialogService(PrintDialogService* s) : m_previous(SetPrintDialogService(s)) {}
    ~ScopedPrintDialogService() { SetPrintDialogService(m_previous); }
    ScopedPrintDialogService(const ScopedPrintDialogService&) = delete;
    ScopedPrintDialogService& operator=(const ScopedPrintDialogService&) = delete;

private:
    PrintDialogService* m_previous;
};
