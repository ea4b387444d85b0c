#pragma once
// The preferences' part of the hand-over of an opened project: the message filter and the
// recipe comment types. Takes part from construction to destruction.

#include "foundation/common/concerns/ProjectHandover.h"

class CPreferencesHandover : public ProjectHandover {
public:
    CPreferencesHandover() { AddProjectHandover(this); }
    ~CPreferencesHandover() override { RemoveProjectHandover(this); }
    CPreferencesHandover(const CPreferencesHandover&) = delete;
    CPreferencesHandover& operator=(const CPreferencesHandover&) = delete;

    void LoadRecipeCommentTypes() override;
};

// Quick Results windows of the frame take the current message filter.
void UpdateQuickResultsDocuments();
