#pragma once
// A page of the vapour emission sheet. At OK the sheet first asks every created page to check its
// entries, then writes the created pages in order inside one transaction on the project database,
// each under a savepoint of its own: a page whose write fails is rolled back alone, with its message.

#include "foundation/controls/QVPropertyPage.h"

class CDaoDatabase;
class CObjectGridWnd;
class IGridCellValidator;

class CEmissionSheetPage : public CQVPropertyPage {
public:
    using CQVPropertyPage::CQVPropertyPage;

    // Entries fit for saving; false: the page has said why and put the focus on the entry.
    virtual bool CheckEntries() { return true; }
    // Whether the page read everything it shows; a page that did not writes nothing at OK.
    virtual bool IsLoaded() const = 0;
    // Writes the page's rows on the project database; throws CDaoException on failure. True when
    // a row changed.
    virtual bool WritePage(CDaoDatabase& project) = 0;

protected:
    // The page's one grid, named by its id, in a group box that fills the page; its entries are
    // checked by the validator.
    CObjectGridWnd* AddValidatedGrid(int id, IGridCellValidator* validator);
};
