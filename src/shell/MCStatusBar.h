#pragma once
// The main frame's status bar with a progress control that long operations show beside their text.

#include <QStatusBar>

class QLabel;
class QProgressBar;

class MCStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MCStatusBar(QWidget* parent = nullptr);

    void BeginProgress(short lower, short upper, const QString& text);
    void SetProgressPos(int position);
    void SetProgressStep(int step);
    // Advances by the step; past the upper bound the position starts again at the lower one.
    void StepProgress();
    void EndProgress();
    // A run's outcome in a label of its own: it stays beside progress and under passing tips.
    // The empty text clears it.
    void ShowOutcome(const QString& text);
    QLabel* outcomeLabel() const { return m_outcome; }
    QString OutcomeText() const;

    bool IsProgressShown() const;
    int ProgressPos() const;
    QString ProgressText() const;
    QProgressBar* progressControl() const { return m_progress; }

private:
    void repaintNow();

    // All three are made with the bar and never taken out of it: only shown and hidden.
    QLabel* m_text;
    QProgressBar* m_progress;
    QLabel* m_outcome;
    bool m_progressShown = false;
    int m_step = 10;
};
