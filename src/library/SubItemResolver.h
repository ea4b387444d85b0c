#pragma once
// Settles the sub-items of one library item before it is copied: each is recorded as needing no
// copy, as a new copy (under a new id when its own is taken), as a known mapping, or as the
// project's item of that name, the user choosing in a name clash dialog while prompts are on.

#include "foundation/common/UniqueID.h"
#include "modules/ravelstock/LibraryComponent.h"

#include <optional>

// The kind's answers to the resolution's questions.
class SubItemAnswers {
public:
    virtual ~SubItemAnswers() = default;
    virtual bool NeedsNoCopy(long id, const QString& name) = 0;
    virtual ILibraryProjectObject& Project() = 0;
    virtual bool Record(long serverID, long localID, const QString& name, bool newCopy) = 0;
    // The clash dialog for the name; filled in by it.
    struct ClashAnswer {
        bool cancelled = true;
        bool useCurrent = true;
        QString newName;
        bool forAllRemaining = true;
    };
    virtual ClashAnswer AskNameClash(const QString& name) = 0;
    // Whether a sub-item whose name is free is recorded (else the copy brings it unchanged).
    virtual bool RecordsFreeNames() const = 0;
    virtual IdRange ExcludedIDs() const = 0;
};

enum class ResolveOutcome { Resolved, Failed, Cancelled };

class CSubItemResolver {
public:
    explicit CSubItemResolver(SubItemAnswers& answers) : m_answers(answers) {}
    // One list of sub-items; unequal lists fail.
    ResolveOutcome Resolve(const SubItemLists& lists);

private:
    ResolveOutcome ResolveOne(long id, const QString& name, bool& prompt);
    bool RecordNewCopy(long id, const QString& name);
    bool RecordProjectItem(long id, const QString& name);

    SubItemAnswers& m_answers;
};
