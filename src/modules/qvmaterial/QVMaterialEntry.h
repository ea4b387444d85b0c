#pragma once
// Stand-in of the material module's entry object: it keeps no project state of its own, so closing
// a project only counts the call.

class QVMaterialEntry {
public:
    void CloseProject() { ++m_closeCount; }
    int CloseCount() const { return m_closeCount; }

private:
    int m_closeCount = 0;
};
