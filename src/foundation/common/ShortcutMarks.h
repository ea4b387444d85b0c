#pragma once
// Names shown as typed where Qt reads "&" as a shortcut mark (tabs, menu entries, buttons).

#include <QString>

// The text with each "&" doubled, so that a tab or menu entry shows it as one "&".
QString EscapeShortcutMarks(const QString& text);
