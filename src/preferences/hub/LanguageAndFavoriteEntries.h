#pragma once
// What the shell hooks up of the language preference and the favourite-operation menus: the
// hub's Language entry (1375), the text of the language message and the favourites command.

#include <QString>
#include <QtGlobal>

class QWidget;

void InstallLanguagePreferenceEntry();
// The language message carries its text as UTF-16 characters (wParam) and their count (lParam).
QString LanguageMessageText(qintptr text, qintptr length);
void RunCustomizeFavoriteOperations(QWidget* parent);
