#pragma once
// Printing a text-recipe view: the print dialog, the print preview, and the pages themselves.

class CQUORVANTAView;
class QPrinter;

void ShowPrintDialog(CQUORVANTAView& view);
void ShowPrintPreview(CQUORVANTAView& view);
// Prints the view's recipe on the printer; the number of pages printed.
int PrintRecipe(CQUORVANTAView& view, QPrinter& printer);
