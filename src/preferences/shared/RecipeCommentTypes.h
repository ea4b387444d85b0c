#pragma once
// The comment types the recipe views show and their names, kept in the frame's display options.

#include "foundation/common/Array.h"

// Empty ids: the "CommentTypeID" rows of [TextRecipeOptions]. An id without a library row is
// dropped, so ids and names stay parallel; an unreadable library leaves both empty.
void LoadRecipeCommentTypes(Array<long> ids);
