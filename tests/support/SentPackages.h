#pragma once
// Packages a colleague could send, made from a project folder as the program packs it: a sound one
// and damaged ones, each with the reason the open refuses it for. Some are sound zips that hold no
// whole project (a listed step's file left out, a view spelled in capitals in a step): only an unpack
// finds their fault. Others declare members of gigabytes in a few megabytes.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

struct SentPackage {
    QString label;
    QString path;
    QString reason;        // empty: the sound package
    bool unpacked = false; // its fault shows only once it is unpacked
    bool huge = false;     // a member declares gigabytes: refused at once, next to nothing written
};

// Written into the folder `into` (created); the project is `<baseName>.prj` and its files beside it.
// The sound package comes last.
QList<SentPackage> WriteSentPackages(const QString& projectFolder, const QString& baseName,
                                     const QString& into);

// The project's own files of a folder (.prj, .eqm, .mtl, .STP) with their bytes.
QMap<QString, QByteArray> ProjectFileBytes(const QString& folder);
