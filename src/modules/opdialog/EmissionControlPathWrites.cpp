// The emission control path dialog's changes, each one transaction on the project database, and
// the entry of ordinal 17.

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/opdialog/EmissionControlPathDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSqlQuery>

bool CEmissionControlPathDialog::CheckName(const QString& name, long exceptID) const
{
    if (name.isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter a name for the emission control path."));
        return false;
    }
    for (int row = 0; row < m_paths->count(); ++row) {
        const QListWidgetItem* item = m_paths->item(row);
        if (item->data(Qt::UserRole).toLongLong() != exceptID &&
            item->text().compare(name, Qt::CaseInsensitive) == 0) {
            QvMessageBox(QStringLiteral("The facility has an emission control path of this name already."));
            return false;
        }
    }
    return true;
}

// Runs the write in a transaction; the database's message on failure. A written change marks the
// project modified.
template <typename Write> bool CEmissionControlPathDialog::WriteChange(Write write)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen()) {
        QvMessageBox(QStringLiteral("Database file is not opened yet!"));
        return false;
    }
    try {
        CDaoTransaction transaction(*project);
        write(*project);
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return false;
    }
    SetProjectModified(true);
    return true;
}

bool CEmissionControlPathDialog::AddPath()
{
    const QString name = m_name->text().trimmed();
    const QString stream = m_stream->text().trimmed();
    if (!CheckName(name, -1))
        return false;
    if (m_destination->currentIndex() < 0) {
        QvMessageBox(QStringLiteral("Please select the final destination equipment."));
        return false;
    }
    if (stream.isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter the final vapor stream name."));
        return false;
    }
    long newID = -1;
    const bool written = WriteChange([&](CDaoDatabase& project) {
        QSqlQuery insert = project.Query(
            QStringLiteral("INSERT INTO TblEmissionControlPath (PlantID, EmissionControlPathName, "
                           "FinalDestinationEquipmentID, FinalVaporStreamName) VALUES (?, ?, ?, ?) "
                           "RETURNING EmissionControlPathID"),
            {qlonglong(m_facilityID), name, m_destination->currentData(), stream});
        newID = insert.next() ? long(insert.value(0).toLongLong()) : -1;
    });
    return written && FillPaths(newID);
}

bool CEmissionControlPathDialog::RenamePath()
{
    const long pathID = SelectedPathID();
    const QString name = m_name->text().trimmed();
    if (pathID == -1 || !CheckName(name, pathID))
        return false;
    const bool written = WriteChange([&](CDaoDatabase& project) {
        project.Execute(QStringLiteral("UPDATE TblEmissionControlPath SET EmissionControlPathName = ? "
                                       "WHERE EmissionControlPathID = ?"),
                        {name, qlonglong(pathID)});
    });
    return written && FillPaths(pathID);
}

// The path, its equipment sequence and every default-path row naming it.
bool CEmissionControlPathDialog::DeletePath()
{
    const long pathID = SelectedPathID();
    if (pathID == -1)
        return false;
    if (QvMessageBox(QStringLiteral("Do you want to delete the emission control path \"%1\"?")
                         .arg(m_paths->currentItem()->text()),
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    const QVariantList id{qlonglong(pathID)};
    const bool written = WriteChange([&](CDaoDatabase& project) {
        project.Execute(QStringLiteral("DELETE FROM TblECPEquipmentSequence WHERE EmissionControlPathID = ?"), id);
        project.Execute(QStringLiteral("DELETE FROM \"PREFER-DefaultECP\" WHERE EmissionControlPathID = ?"), id);
        project.Execute(QStringLiteral("DELETE FROM TblEmissionControlPath WHERE EmissionControlPathID = ?"), id);
    });
    return written && FillPaths(-1);
}

long EditEmissionControlPaths(long pathID, const QString& /*pathName*/, long facilityID)
{
    CEmissionControlPathDialog dialog(pathID, facilityID, QApplication::activeWindow());
    EmissionPathDialogRunner* runner = ServiceSlot<EmissionPathDialogRunner>::Get();
    const int result = runner ? runner->Run(dialog) : dialog.exec();
    return result == QDialog::Accepted ? dialog.SelectedPathID() : -1;
}
