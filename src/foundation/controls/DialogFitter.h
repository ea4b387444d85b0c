#pragma once
// Keeps the title of every dialog whole: installed on the application, it widens a dialog that
// shows, or whose title changes while shown, until the title bar has room for the whole title,
// never beyond the screen the dialog is on.

#include <QObject>

class QDialog;

class CDialogFitter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Room the window manager's title bar takes beside the title: icon and buttons.
    static constexpr int TITLE_BAR_ROOM = 120;

    // The width the dialog needs for its title, in the dialog's own pixels.
    static int TitleWidth(const QDialog& dialog);
    static void FitTitle(QDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
