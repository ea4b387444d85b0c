#pragma once
// The rows a plan has in the project database, created and removed whole: each call is one
// transaction on the open project database and raises CDaoException (rolled back) on a failure.

#include <QString>

class CDaoDatabase;

// The id of a new plan: above every id the table has ever given and above the id of every
// "QVPLAN_<id>" result file of the project folder, so a new plan never meets an old one's results.
// Beyond the 32-bit range it is drawn at random against the same ids, as a new step's is.
long AllocatePlanID(CDaoDatabase& project, const QString& projectDir);

// Adds the plan (started now) and its link to the project; with a source plan (not -1), copies of
// the source's requirement rows. Answers the new plan's id.
long CreatePlanRows(const QString& name, long sourcePlanID);

// Removes every row of the plan: the plan, its link, requirements, shared-exclusive equipment,
// detail and summary rows.
void DeletePlanRows(long planID);
