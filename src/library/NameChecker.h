#pragma once
// Whether a name is taken, asked by a name clash dialog before it accepts a new name.

#include <QString>

class INameChecker {
public:
    virtual ~INameChecker() = default;
    virtual bool NameExists(const QString& name) = 0; // false for a null text
};
