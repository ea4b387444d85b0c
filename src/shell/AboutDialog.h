#pragma once
// Help > About: the program's name, version and build date, the Qt and SQLite versions it runs
// on, and the licence of each library it links.

#include <QDialog>

class QLabel;

class CAboutDialog : public QDialog {
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
    // The text the dialog shows, one fact per line.
    static QString AboutText();
};
