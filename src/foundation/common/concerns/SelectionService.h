#pragma once
// A pane or document view reports what is selected in it and that it is the active one; the main
// frame's context record and command states follow.

#include "foundation/common/concerns/ContextRecord.h"

class CommandTarget;

class SelectionService {
public:
    virtual ~SelectionService() = default;
    // source became the active pane or view; selection is what it shows selected (kind included).
    virtual void ReportActive(CommandTarget* /*source*/, const ContextRecord& /*selection*/) {}
    // The selection of source changed; only the active source moves the context.
    virtual void ReportSelection(CommandTarget* /*source*/, const ContextRecord& /*selection*/) {}
    // source goes away (closed or destroyed): it is forgotten as the active one.
    virtual void ForgetSource(CommandTarget* /*source*/) {}
    // Nothing selected by default.
    virtual const ContextRecord& CurrentContext() const;
};
