#pragma once
// A scripted print dialog: each queued answer is a PDF file to print to, or "" for Cancel. The
// document name each request came with is recorded. Installs itself for its lifetime.

#include "ScriptedPrompts.h"
#include "foundation/common/PrintDialogService.h"

#include <QPrinter>

class ScriptedPrintDialogService : public PrintDialogService, public ScriptedAnswers<QString> {
public:
    bool choose(QPrinter& printer) override
    {
        m_documentNames << printer.docName();
        const QString path = next("print dialog: " + printer.docName(), QString());
        if (path.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
    const QStringList& documentNames() const { return m_documentNames; }

private:
    ScopedPrintDialogService m_installed{this};
    QStringList m_documentNames;
};
