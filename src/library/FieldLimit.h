#pragma once
// The dialogs' length limit of a text field: a longer text is refused at OK with the
// framework's message, the field focused with its text selected.

class QLineEdit;

bool CheckFieldLimit(QLineEdit* edit, int maxCharacters);
