#pragma once
// A comma-decimal numeric locale for the lifetime of a scope.

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <clocale>
#include <string>

// Makes a comma-decimal locale from the system's sources in a folder of its own and sets it for
// LC_NUMERIC while it lives; the previous locale comes back after it.
class CommaDecimalNumerics {
public:
    CommaDecimalNumerics()
    {
        const QString localedef = QStandardPaths::findExecutable("localedef");
        if (localedef.isEmpty()) {
            m_problem = "localedef is not installed (package locales)";
            return;
        }
        const QString target = m_folder.filePath("de_DE.UTF-8");
        if (QProcess::execute(localedef, {"-i", "de_DE", "-f", "UTF-8", target}) != 0) {
            m_problem = "localedef could not build de_DE.UTF-8 (package locales)";
            return;
        }
        m_oldLocPath = qgetenv("LOCPATH");
        m_hadLocPath = qEnvironmentVariableIsSet("LOCPATH");
        qputenv("LOCPATH", m_folder.path().toLocal8Bit());
        m_previous = std::setlocale(LC_NUMERIC, nullptr);
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            m_problem = "the built locale de_DE.UTF-8 could not be set";
    }
    ~CommaDecimalNumerics()
    {
        if (!m_previous.empty())
            std::setlocale(LC_NUMERIC, m_previous.c_str());
        if (m_hadLocPath)
            qputenv("LOCPATH", m_oldLocPath);
        else
            qunsetenv("LOCPATH");
    }
    const char* problem() const { return m_problem; }

private:
    QTemporaryDir m_folder;
    const char* m_problem = nullptr;
    std::string m_previous;
    QByteArray m_oldLocPath;
    bool m_hadLocPath = false;
};

