#pragma once
// What the managed side knows of an operation's streams: which other operations use them, and the
// notice that a step's streams changed. The shell's bridge installs the implementation; without
// one no stream is in use and nobody is told.

#include <QList>
#include <QString>
#include <QStringList>

// One stream of an operation and the names of the other operations that use it.
struct StreamReference {
    QString streamName;
    QStringList operationNames;
};

class StreamServices {
public:
    virtual ~StreamServices() = default;
    virtual QList<StreamReference> StreamUsedInOtherOperation(long /*stepID*/, long /*operationID*/)
    {
        return {};
    }
    virtual void NotifyStreamUpdate(long /*stepID*/) {}
};

StreamServices* SetStreamServices(StreamServices* services); // returns the previous one
QList<StreamReference> StreamUsedInOtherOperation(long stepID, long operationID);
void NotifyStreamUpdate(long stepID);
