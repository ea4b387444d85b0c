#pragma once
// What the structure check of a text recipe found: pass, or the first failure's text and icon.
// Warnings met on the way come first. The one caller that runs a build shows them (Show).

#include <QString>
#include <QStringList>

struct StructureCheckResult {
    bool passed = true;
    QString message;
    unsigned icon = 0; // MB_ICONEXCLAMATION, or MB_OK for none
    QStringList warnings;

    bool Fail(const QString& text, unsigned iconFlag);
    void Warn(const QString& text) { warnings << text; }
    // The warnings, then the failure's message, each in its own box.
    void Show() const;
};
