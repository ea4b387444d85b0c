#pragma once
// Asks the material project-side object of the library component whether a material name is
// taken in the project (a name queued for a copy counts).

#include "library/NameChecker.h"

class IMaterialProject;

class CMaterialNameChecker : public INameChecker {
public:
    explicit CMaterialNameChecker(IMaterialProject* project) : m_project(project) {} // not owned
    bool NameExists(const QString& name) override;

private:
    IMaterialProject* m_project;
};
