#pragma once
// Ids of new unit procedures and operations. A step numbers both kinds from one counter: a new one
// takes the id above every unit-procedure and operation id the step holds, so an id names one item
// whatever kind a reader looks it up as (only the START pair shares 1).

class CDaoDatabase;

// Read inside the caller's transaction of the row that takes it. Raises CDaoException on an error.
long NextRecipeItemID(CDaoDatabase& step);
