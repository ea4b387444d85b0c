#include "shell/AboutDialog.h"

#include "shell/ShellConstants.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QStringList>
#include <QVBoxLayout>
#include <QtGlobal>

#include <sqlite3.h>

namespace {
// The compiler's "Mmm dd yyyy" as yyyy-MM-dd.
QString BuildDate()
{
    const QString stamp = QString::fromLatin1(__DATE__).simplified();
    const QDate date = QLocale::c().toDate(stamp, QStringLiteral("MMM d yyyy"));
    return date.isValid() ? date.toString(Qt::ISODate) : stamp;
}

// Every library the program links, with its licence.
const char* const kLibraryLicences[][2] = {
    {"Qt", "GNU Lesser General Public License v3 (LGPLv3)"},
    {"SQLite", "public domain"},
    {"libzip", "BSD 3-Clause License"},
    {"libbz2", "bzip2 license"},
    {"libxlsxwriter", "BSD 2-Clause License"},
    {"zlib", "zlib License"},
};
} // namespace

QString CAboutDialog::AboutText()
{
    QStringList lines{PRODUCT_NAME,
                      QStringLiteral("Version %1").arg(QLatin1String(QV_VERSION)),
                      QStringLiteral("Built %1").arg(BuildDate()),
                      QStringLiteral("Qt %1").arg(QLatin1String(qVersion())),
                      QStringLiteral("SQLite %1").arg(QLatin1String(sqlite3_libversion())),
                      QString(),
                      QStringLiteral("Libraries and their licences:")};
    for (const auto& [library, licence] : kLibraryLicences)
        lines << QStringLiteral("%1: %2").arg(QLatin1String(library), QLatin1String(licence));
    return lines.join(QLatin1Char('\n'));
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About ") + PRODUCT_NAME);
    auto* text = new QLabel(AboutText(), this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}
