#pragma once
// What the process holds, to show that a call which failed part-way keeps nothing behind: the bytes
// on the heap (the sanitizer's count in a sanitized build, else the C library's) and the open file
// descriptors.

#include <QDir>
#include <QString>

#include <cstddef>
#include <malloc.h>

extern "C" __attribute__((weak)) size_t __sanitizer_get_current_allocated_bytes();

inline long long HeapBytesInUse()
{
    if (__sanitizer_get_current_allocated_bytes)
        return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
    return static_cast<long long>(mallinfo2().uordblks);
}

inline qsizetype OpenFileCount()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
        .size();
}
