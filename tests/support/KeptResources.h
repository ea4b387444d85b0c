#pragma once
// What the process holds, to show that a call which failed part-way keeps nothing behind: the bytes
// on the heap and the open file descriptors. The heap is counted only in a sanitized build, where
// the count is exact; elsewhere freed blocks may stay counted in the C library's caches, and the
// count reads 0.

#include <QDir>
#include <QString>

#include <cstddef>

extern "C" __attribute__((weak)) size_t __sanitizer_get_current_allocated_bytes();

inline long long HeapBytesInUse()
{
    return __sanitizer_get_current_allocated_bytes
               ? static_cast<long long>(__sanitizer_get_current_allocated_bytes())
               : 0;
}

inline qsizetype OpenFileCount()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
        .size();
}
