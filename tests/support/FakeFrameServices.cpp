#include "FakeFrameServices.h"
#include "foundation/controls/CollationSort.h"

FakeFrameServices::FakeFrameServices()
{
    m_installed.Install<ProjectLifecycleServices>(this);
    m_installed.Install<ProgressServices>(this);
    m_installed.Install<SortServices>(this);
}

void FakeFrameServices::OnProjectOpened(bool newProject)
{
    record(QString("OnProjectOpened %1").arg(newProject ? "true" : "false"));
    projectOpen = true;
}

void FakeFrameServices::OnProjectClosed()
{
    record("OnProjectClosed");
    projectOpen = false;
}

void FakeFrameServices::BeginProgress(short lower, short upper, const QString& text)
{
    record(QString("BeginProgress %1 %2 %3").arg(lower).arg(upper).arg(text));
}

void FakeFrameServices::SortComboBoxItems(QComboBox* combo)
{
    record("SortComboBoxItems");
    CollationSortComboBox(combo);
}

void FakeFrameServices::SortListBoxItems(QListWidget* list)
{
    record("SortListBoxItems");
    CollationSortListWidget(list);
}

void FakeFrameServices::SortTexts(QStringList& texts)
{
    record(QString("SortTexts %1").arg(texts.size()));
    CollationSortTexts(texts);
}

QStringList FakeFrameServices::callsNamed(const QString& name) const
{
    QStringList named;
    for (const QString& call : m_calls) {
        if (call == name || call.startsWith(name + ' '))
            named << call;
    }
    return named;
}
