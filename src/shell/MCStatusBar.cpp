#include "shell/MCStatusBar.h"

#include <QLabel>
#include <QProgressBar>

// The progress text and control are normal widgets (a passing tip covers them) made here, hidden
// until a progress begins. None is ever removed from the bar: Qt 6.4's QStatusBar::removeWidget
// hides the widget after the removed one, which was the outcome label, for good.
// The outcome label is a permanent widget made here: a normal widget added while a tip shows
// would be hidden with the tip and never shown again. It takes the width of its text, leaving
// the rest to tips, and gives way in a narrow window.
MCStatusBar::MCStatusBar(QWidget* parent)
    : QStatusBar(parent), m_text(new QLabel(this)), m_progress(new QProgressBar(this)),
      m_outcome(new QLabel(this))
{
    setObjectName(QStringLiteral("StatusBar"));
    m_text->setObjectName(QStringLiteral("ProgressText"));
    m_text->setTextFormat(Qt::PlainText);
    m_progress->setMaximumWidth(200);
    m_text->hide(); // hidden before they are added: the bar shows them only when asked
    m_progress->hide();
    addWidget(m_text, 1);
    addWidget(m_progress);
    m_outcome->setObjectName(QStringLiteral("RunOutcome"));
    m_outcome->setTextFormat(Qt::PlainText);
    m_outcome->setMinimumWidth(1);
    addPermanentWidget(m_outcome);
}

void MCStatusBar::BeginProgress(short lower, short upper, const QString& text)
{
    EndProgress();
    m_text->setText(text);
    m_progress->setRange(lower, upper);
    m_progress->setValue(lower);
    m_step = 10;
    m_progressShown = true;
    m_text->show();
    m_progress->show();
    repaintNow();
}

void MCStatusBar::SetProgressPos(int position)
{
    if (!m_progressShown)
        return;
    m_progress->setValue(qBound(m_progress->minimum(), position, m_progress->maximum()));
    repaintNow();
}

void MCStatusBar::SetProgressStep(int step)
{
    m_step = step;
}

void MCStatusBar::StepProgress()
{
    if (!m_progressShown)
        return;
    int next = m_progress->value() + m_step;
    if (next > m_progress->maximum())
        next = m_progress->minimum() + (next - m_progress->maximum() - 1);
    SetProgressPos(next);
}

void MCStatusBar::EndProgress()
{
    m_progressShown = false;
    m_progress->hide();
    m_text->hide();
    m_text->clear();
    clearMessage();
}

void MCStatusBar::ShowOutcome(const QString& text)
{
    m_outcome->setText(text);
    m_outcome->setToolTip(text);
    repaintNow();
}

QString MCStatusBar::OutcomeText() const
{
    return m_outcome->text();
}

bool MCStatusBar::IsProgressShown() const
{
    return m_progressShown;
}

int MCStatusBar::ProgressPos() const
{
    return m_progressShown ? m_progress->value() : 0;
}

QString MCStatusBar::ProgressText() const
{
    return m_text->text();
}

void MCStatusBar::repaintNow()
{
    if (isVisible())
        repaint();
}
