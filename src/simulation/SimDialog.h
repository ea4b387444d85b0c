#pragma once
// The modeless progress window of an engine run. There is no worker thread: the callbacks pump
// the event queue, so the window stays responsive and Cancel can be pressed. Cancel only raises a
// flag; the next Step or status text asks for confirmation. While the window is up the main
// window is disabled; it is re-enabled on every way out (destroy, delete, a failed Create).

#include "foundation/common/SimStatus.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

class CSimDialog : public QDialog, public ISimStatus {
    Q_OBJECT
public:
    // The dialog has no Qt parent: disabling the owner would disable it too.
    CSimDialog();
    ~CSimDialog() override;

    // Disables the owner (the parent's window, else the main window) and builds the window; on
    // failure the owner is enabled again and false is answered. The callbacks work either way.
    bool Create(QWidget* parent = nullptr);
    void EnableOwner();
    void DisableOwner();
    void DestroyWindow();
    bool HasWindow() const { return m_hasWindow; }

    void SetStatusLine(const QString& text) { m_statusLine = text; }
    void SetTitleLine(const QString& text) { m_titleLine = text; }
    // Moves the time, status and title lines to their controls.
    void UpdateControls();
    void PumpMessages();
    // Shows the help topic of this window; answers true.
    bool OnCommandHelp();

    void SetPhaseTimeA(double seconds) override;
    void SetPhaseTimeB(double seconds) override;
    long long SetCount1(long count) override;
    long long SetCount2(long count) override;
    long long SetTotal(double total) override;
    bool IsCancelled() override;
    bool Step(double unused) override;
    bool SetStatusText(const QString& text) override;
    void SetProgress(double percent) override;

    // Cancel, Escape and the close box only raise the cancel flag.
    void reject() override;

    const QString& TimeLine() const { return m_timeLine; }
    double Progress() const { return m_progress; }
    double Increment() const { return m_increment; }
    double TimeSum() const { return m_timeSum; }
    QWidget* Owner() const { return m_owner; }
    QProgressBar* ProgressBar() const { return m_bar; }
    QPushButton* CancelButton() const { return m_cancelButton; }
    QLabel* TimeLabel() const { return m_timeLabel; }
    QLabel* StatusLabel() const { return m_statusLabel; }
    QLabel* TitleLabel() const { return m_titleLabel; }

protected:
    // Builds the window; answers false when it cannot. Tests replace it to fail.
    virtual bool CreateWindow();
    void OnInitDialog();
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    long long RecomputeIncrement();
    bool ConfirmCancel();

    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_statusLabel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QString m_timeLine;
    QString m_statusLine;
    QString m_titleLine;
    int m_rangeMin = 0;
    int m_rangeMax = 100;
    bool m_cancelled = false;
    bool m_hasWindow = false;
    QPointer<QWidget> m_owner;
    bool m_ownerDisabled = false;
    double m_phaseTimeA = 100.0;
    double m_phaseTimeB = 100.0;
    double m_timeSum = 100.0;
    double m_progress = 0.0;
    long m_count1 = 1;
    long m_count2 = 1;
    double m_increment = 0.0;
    double m_total = 100.0;
};
