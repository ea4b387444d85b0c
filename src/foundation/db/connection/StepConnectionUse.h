#pragma once
// A step connection that no view or edit is using keeps a small page cache and gives its memory
// back after each pass over it; while one of these is held on it, it has the engine's full cache.

#include <memory>

class CDaoDatabase;
class CSharedConnection;

class CStepConnectionUse {
public:
    // Nothing is held when the database is null or closed.
    explicit CStepConnectionUse(CDaoDatabase* database);
    ~CStepConnectionUse();
    CStepConnectionUse(const CStepConnectionUse&) = delete;
    CStepConnectionUse& operator=(const CStepConnectionUse&) = delete;

private:
    std::shared_ptr<CSharedConnection> m_connection;
};

// The connection of a registered step that nobody is using: a small page cache from its first
// statement on.
void MarkStepConnectionIdle(CDaoDatabase& database);
// After a pass over idle step connections (a fill of the tree): their cached pages go, and the
// engine handle of one that has only been read.
void ReleaseIdleStepMemory(CDaoDatabase* database);
