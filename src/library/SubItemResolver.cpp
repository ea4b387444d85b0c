#include "library/SubItemResolver.h"

ResolveOutcome CSubItemResolver::Resolve(const SubItemLists& lists)
{
    if (lists.ids.size() != lists.names.size())
        return ResolveOutcome::Failed;
    bool prompt = true;
    for (qsizetype i = 0; i < lists.ids.size(); ++i) {
        const ResolveOutcome outcome = ResolveOne(lists.ids.at(i), lists.names.at(i), prompt);
        if (outcome != ResolveOutcome::Resolved)
            return outcome;
    }
    return ResolveOutcome::Resolved;
}

ResolveOutcome CSubItemResolver::ResolveOne(long id, const QString& name, bool& prompt)
{
    auto done = [](bool recorded) { return recorded ? ResolveOutcome::Resolved : ResolveOutcome::Failed; };
    if (m_answers.NeedsNoCopy(id, name))
        return done(m_answers.Record(id, -1, name, false));
    ILibraryProjectObject& project = m_answers.Project();
    if (!project.IsNameTaken(name))
        return done(!m_answers.RecordsFreeNames() || RecordNewCopy(id, name));
    if (const std::optional<KnownMapping> mapping = project.FindMapping(id))
        return done(m_answers.Record(id, mapping->localID, mapping->localName, false));
    if (prompt) {
        const SubItemAnswers::ClashAnswer answer = m_answers.AskNameClash(name);
        if (answer.cancelled)
            return ResolveOutcome::Cancelled;
        prompt = !answer.forAllRemaining;
        if (!answer.useCurrent)
            return done(RecordNewCopy(id, answer.newName));
    }
    return done(RecordProjectItem(id, name));
}

bool CSubItemResolver::RecordNewCopy(long id, const QString& name)
{
    ILibraryProjectObject& project = m_answers.Project();
    const long localID = project.IsIDTaken(id)
                             ? GenerateUniqueID([&](long candidate) { return project.IsIDTaken(candidate); },
                                                m_answers.ExcludedIDs())
                             : id;
    return m_answers.Record(id, localID, name, true);
}

// The project's own item of that name; an id of -1 (no such item after all) fails the apply.
bool CSubItemResolver::RecordProjectItem(long id, const QString& name)
{
    const long localID = m_answers.Project().ProjectIDByName(name);
    return localID != -1 && m_answers.Record(id, localID, name, false);
}
