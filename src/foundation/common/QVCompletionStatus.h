#pragma once
// The progress sink the program hands to an outside component for one long operation: the
// component reports how far it got, the program moves the status-bar progress it began.

class IQVCompletionStatus {
public:
    virtual ~IQVCompletionStatus() = default;
    // percent: 0 to 100; reserved is not used.
    virtual void ReportProgress(long percent, long reserved) = 0;
};
