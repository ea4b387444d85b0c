#pragma once
// The case manager's step versions. The case-manager component does not exist on this platform:
// IsXmlComponentAvailable answers false and the frame keeps its command disabled; LoadStepVersion
// imports a step file as a new version of a step.

#include <QString>

class CCaseMngrHelper {
public:
    virtual ~CCaseMngrHelper() = default;

    // The new step's id in decimal, "" after a failure. The file is deleted afterwards.
    static QString LoadStepVersion(const QString& stepFile, long processID, bool insertAfter = true);
    static bool IsXmlComponentAvailable() { return false; }
};
