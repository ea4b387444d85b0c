#pragma once
// A recording main frame for tests: every call the subsystems make of it is kept in order as one
// line of text ("BeginProgress 0 100 saving project"); the sorts are the program's collation sorts.
// Members nobody calls keep their concern's default. Installs itself in the lifecycle, progress
// and sort slots for its lifetime.

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/CollationSort.h"

#include <QMap>
#include <QPair>
#include <QRegularExpression>
#include <QStringList>

class FakeFrameServices : public ProjectLifecycleServices, public ProgressServices, public SortServices {
public:
    FakeFrameServices()
    {
        m_installed.Install<ProjectLifecycleServices>(this);
        m_installed.Install<ProgressServices>(this);
        m_installed.Install<SortServices>(this);
    }
    FakeFrameServices(const FakeFrameServices&) = delete;
    FakeFrameServices& operator=(const FakeFrameServices&) = delete;

    void OnProjectOpened(bool newProject) override
    {
        record(QString("OnProjectOpened %1").arg(newProject ? "true" : "false"));
        projectOpen = true;
    }
    void OnProjectClosed() override
    {
        record("OnProjectClosed");
        projectOpen = false;
    }
    void CloseAllViews() override { record("CloseAllViews"); }
    void SaveWindowPositions() override { record("SaveWindowPositions"); }
    void SaveChemistryDocuments() override { record("SaveChemistryDocuments"); }
    void StopAutoSaveTimer() override { record("StopAutoSaveTimer"); }
    void RegisterTemporaryFolder(const QString& folder) override
    {
        record("RegisterTemporaryFolder " + folder);
    }
    void SetProjectDescription(const QString& text) override { record("SetProjectDescription " + text); }
    bool MaterialLookupFailed() const override { return materialLookupFailed; }

    void BeginProgress(short lower, short upper, const QString& text) override
    {
        record(QString("BeginProgress %1 %2 %3").arg(lower).arg(upper).arg(text));
    }
    void SetProgressPos(int position) override { record(QString("SetProgressPos %1").arg(position)); }
    void EndProgress() override { record("EndProgress"); }

    void SortComboBoxItems(QComboBox* combo) override
    {
        record("SortComboBoxItems");
        CollationSortComboBox(combo);
    }
    void SortTexts(QStringList& texts) override
    {
        record(QString("SortTexts %1").arg(texts.size()));
        CollationSortTexts(texts);
    }
    QStringList GetDisplayVector(const QString& listName) override
    {
        record("GetDisplayVector " + listName);
        QStringList texts;
        for (const auto& entry : displayLists.value(listName))
            texts << entry.second;
        return texts;
    }
    bool GetDisplayValue(const QString& listName, const QString& key, QString& out) override
    {
        record("GetDisplayValue " + listName + " " + key);
        for (const auto& entry : displayLists.value(listName))
            if (entry.first == key) {
                out = entry.second;
                return true;
            }
        return false;
    }
    bool GetKeyValue(const QString& listName, const QString& displayText, QString& out) override
    {
        record("GetKeyValue " + listName + " " + displayText);
        for (const auto& entry : displayLists.value(listName))
            if (entry.second == displayText) {
                out = entry.first;
                return true;
            }
        return false;
    }

    const QStringList& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    // The recorded calls that start with name (a whole word).
    QStringList callsNamed(const QString& name) const
    {
        return m_calls.filter(QRegularExpression("^" + QRegularExpression::escape(name) + "( |$)"));
    }

    bool projectOpen = false; // between OnProjectOpened and OnProjectClosed
    // The managed display lists the frame answers from: list name -> (key, display text) in order.
    QMap<QString, QList<QPair<QString, QString>>> displayLists;
    bool materialLookupFailed = false;

protected:
    void record(const QString& call) { m_calls << call; }

private:
    QStringList m_calls;
    ServiceInstallations m_installed;
};
