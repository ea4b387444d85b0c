#pragma once
// Brings an emission page to the front of the sheet it sits in, when another page is in front.

class QWidget;

void ActivateSheetPage(QWidget* page);
