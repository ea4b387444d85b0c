#pragma once
// For its lifetime, each flush to disk that `fails` picks (given the path flushed) fails as a disk
// error would; the paths whose flush failed are kept, in order.

#include "foundation/db/DatabaseFiles.h"

#include <QStringList>

#include <functional>
#include <utility>

class FailingSyncs {
public:
    explicit FailingSyncs(std::function<bool(const QString& path)> fails)
        : m_previous(SetSyncHook([this, fails = std::move(fails)](const QString& path) {
              if (!fails(path))
                  return true;
              failed << path;
              return false;
          }))
    {
    }
    ~FailingSyncs() { SetSyncHook(std::move(m_previous)); }
    FailingSyncs(const FailingSyncs&) = delete;
    FailingSyncs& operator=(const FailingSyncs&) = delete;

    QStringList failed;

private:
    SyncHook m_previous;
};
