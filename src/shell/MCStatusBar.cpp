#include "shell/MCStatusBar.h"

#include <QLabel>
#include <QProgressBar>

// The outcome label is a permanent widget made here: a normal widget added while a tip shows
// would be hidden with the tip and never shown again. It takes the width of its text, leaving
// the rest to tips, and gives way in a narrow window.
MCStatusBar::MCStatusBar(QWidget* parent) : QStatusBar(parent), m_outcome(new QLabel(this))
{
    setObjectName(QStringLiteral("StatusBar"));
    m_outcome->setObjectName(QStringLiteral("RunOutcome"));
    m_outcome->setTextFormat(Qt::PlainText);
    m_outcome->setMinimumWidth(1);
    addPermanentWidget(m_outcome);
}

void MCStatusBar::BeginProgress(short lower, short upper, const QString& text)
{
    EndProgress();
    m_text = new QLabel(text, this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(lower, upper);
    m_progress->setValue(lower);
    m_progress->setMaximumWidth(200);
    m_step = 10;
    addWidget(m_text, 1);
    addWidget(m_progress);
    repaintNow();
}

void MCStatusBar::SetProgressPos(int position)
{
    if (!m_progress)
        return;
    m_progress->setValue(qBound(m_progress->minimum(), position, m_progress->maximum()));
    repaintNow();
}

void MCStatusBar::SetProgressStep(int step) { m_step = step; }

void MCStatusBar::StepProgress()
{
    if (!m_progress)
        return;
    int next = m_progress->value() + m_step;
    if (next > m_progress->maximum())
        next = m_progress->minimum() + (next - m_progress->maximum() - 1);
    SetProgressPos(next);
}

void MCStatusBar::EndProgress()
{
    if (m_progress) {
        removeWidget(m_progress);
        delete m_progress;
        m_progress = nullptr;
    }
    if (m_text) {
        removeWidget(m_text);
        delete m_text;
        m_text = nullptr;
    }
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

bool MCStatusBar::IsProgressShown() const { return m_progress != nullptr; }

int MCStatusBar::ProgressPos() const { return m_progress ? m_progress->value() : 0; }

QString MCStatusBar::ProgressText() const { return m_text ? m_text->text() : QString(); }

void MCStatusBar::repaintNow()
{
    if (isVisible())
        repaint();
}
