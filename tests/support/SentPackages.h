#pragma once
// Packages a colleague could send, made from a project folder as the program packs it: a sound one
// and damaged ones, each with the reason the open refuses it for.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

struct SentPackage {
    QString label;
    QString path;
    QString reason; // empty: the sound package
};

// Written into the folder `into` (created); the project is `<baseName>.prj` and its files beside it.
// The sound package comes last.
QList<SentPackage> WriteSentPackages(const QString& projectFolder, const QString& baseName,
                                     const QString& into);

// The project's own files of a folder (.prj, .eqm, .mtl, .STP) with their bytes.
QMap<QString, QByteArray> ProjectFileBytes(const QString& folder);
