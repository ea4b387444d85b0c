#pragma once
// The calculated items chosen for one direct product cost factor: its id (-1 while unset) and the
// item codes in the order they are stored.

#include "foundation/common/Array.h"

struct CostFactorData {
    long m_costFactorID = -1;
    long m_flag = 0; // 1 for a record made by Insert; nothing reads it
    Array<long> m_items;

    void AddItem(long code) { m_items.Add(code); }
};
