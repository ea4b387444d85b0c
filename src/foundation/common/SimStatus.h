#pragma once
// The callbacks the engine makes during a run: phase times and counts for the estimate, one Step
// per unit of work, status texts and the bar. Step and SetStatusText answer false when the user
// confirmed a cancel; the engine then stops. Every call comes on the user-interface thread.

class QString;

class ISimStatus {
public:
    virtual ~ISimStatus() = default;

    virtual void SetPhaseTimeA(double seconds) = 0;
    virtual void SetPhaseTimeB(double seconds) = 0;
    // Each answers the product of the two counts.
    virtual long long SetCount1(long count) = 0;
    virtual long long SetCount2(long count) = 0;
    virtual long long SetTotal(double total) = 0;
    // Answers whether Cancel was pressed since the last call, and forgets it.
    virtual bool IsCancelled() = 0;
    virtual bool Step(double unused) = 0;
    virtual bool SetStatusText(const QString& text) = 0;
    virtual void SetProgress(double percent) = 0;
};
