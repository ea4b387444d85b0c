#include "simulation/SimDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

const char* const kSimHelpFile = "USERMANUAL.CHM";
constexpr long kSimHelpTopic = 0;

// The window a progress dialog disables: the parent's window, else the main window.
QWidget* SimDialogSafeOwner(QWidget* parent)
{
    if (parent)
        return parent->window();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget))
            return widget;
    }
    return nullptr;
}

// The product of the two counts, held at the largest value rather than overflowing.
long long SimCountProduct(long first, long second)
{
    long long product = 0;
    if (__builtin_mul_overflow(static_cast<long long>(first), static_cast<long long>(second), &product))
        return (first < 0) == (second < 0) ? std::numeric_limits<long long>::max()
                                           : std::numeric_limits<long long>::min();
    return product;
}

// Enables the owner again when the scope ends, unless dismissed.
class SimOwnerGuard {
public:
    explicit SimOwnerGuard(CSimDialog& dialog) : m_dialog(&dialog) {}
    ~SimOwnerGuard()
    {
        if (m_dialog)
            m_dialog->EnableOwner();
    }
    void Dismiss() { m_dialog = nullptr; }
    SimOwnerGuard(const SimOwnerGuard&) = delete;
    SimOwnerGuard& operator=(const SimOwnerGuard&) = delete;

private:
    CSimDialog* m_dialog;
};

} // namespace

CSimDialog::CSimDialog()
{
    BuildControls();
}

CSimDialog::~CSimDialog()
{
    EnableOwner();
}

void CSimDialog::BuildControls()
{
    setWindowTitle(tr("Simulation"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("1000"));
    m_bar->setTextVisible(false);
    m_timeLabel = new QLabel(tr("Estimated Time To Completion"), this);
    m_timeLabel->setObjectName(QStringLiteral("1001"));
    m_statusLabel = new QLabel(tr("Reading Data..."), this);
    m_statusLabel->setObjectName(QStringLiteral("1002"));
    m_titleLabel = new QLabel(tr("Simulating Batch: Step Name (Version)"), this);
    m_titleLabel->setObjectName(QStringLiteral("1003"));
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    connect(m_cancelButton, &QPushButton::clicked, this, &CSimDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_titleLabel);
    layout->addWidget(m_statusLabel);
    layout->addWidget(m_bar);
    layout->addWidget(m_timeLabel);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

bool CSimDialog::Create(QWidget* parent)
{
    m_owner = SimDialogSafeOwner(parent);
    DisableOwner();
    SimOwnerGuard guard(*this);
    if (!CreateWindow())
        return false;
    OnInitDialog();
    m_hasWindow = true;
    guard.Dismiss();
    return true;
}

bool CSimDialog::CreateWindow()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

void CSimDialog::OnInitDialog()
{
    adjustSize();
    if (const QScreen* screen = m_owner ? m_owner->screen() : QApplication::primaryScreen()) {
        const QRect area = m_owner ? m_owner->frameGeometry() : screen->availableGeometry();
        move(area.center() - rect().center());
    }
    m_bar->setRange(m_rangeMin, m_rangeMax);
    m_bar->setValue(m_rangeMin);
}

void CSimDialog::EnableOwner()
{
    if (m_ownerDisabled && m_owner)
        m_owner->setEnabled(true);
    m_ownerDisabled = false;
}

void CSimDialog::DisableOwner()
{
    if (m_owner && m_owner->isEnabled()) {
        m_owner->setEnabled(false);
        m_ownerDisabled = true;
    }
}

void CSimDialog::DestroyWindow()
{
    EnableOwner();
    hide();
    m_hasWindow = false;
}

void CSimDialog::UpdateControls()
{
    m_timeLabel->setText(m_timeLine);
    m_statusLabel->setText(m_statusLine);
    m_titleLabel->setText(m_titleLine);
}

void CSimDialog::PumpMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool CSimDialog::OnCommandHelp()
{
    DisplayHelp(QString::fromLatin1(kSimHelpFile), kSimHelpTopic);
    return true;
}

void CSimDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        OnCommandHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSimDialog::reject()
{
    m_cancelled = true;
}

void CSimDialog::SetPhaseTimeA(double seconds)
{
    m_phaseTimeA = seconds == 0.0 ? 50.0 : seconds;
    m_timeSum = m_phaseTimeA + m_phaseTimeB;
}

void CSimDialog::SetPhaseTimeB(double seconds)
{
    m_phaseTimeB = seconds == 0.0 ? 40.0 : seconds;
    m_timeSum = m_phaseTimeA + m_phaseTimeB;
}

long long CSimDialog::RecomputeIncrement()
{
    const long long product = SimCountProduct(m_count1, m_count2);
    m_increment = m_total / static_cast<double>(product);
    return product;
}

long long CSimDialog::SetCount1(long count)
{
    if (count != 0)
        m_count1 = count;
    return RecomputeIncrement();
}

long long CSimDialog::SetCount2(long count)
{
    if (count != 0)
        m_count2 = count;
    return RecomputeIncrement();
}

long long CSimDialog::SetTotal(double total)
{
    if (total != 0.0)
        m_total = total;
    return RecomputeIncrement();
}

bool CSimDialog::IsCancelled()
{
    PumpMessages();
    return std::exchange(m_cancelled, false);
}

bool CSimDialog::ConfirmCancel()
{
    if (!IsCancelled())
        return true;
    return QvMessageBox(tr("Are you sure you want to Cancel?"), MB_YESNO | MB_ICONQUESTION) != IDYES;
}

bool CSimDialog::Step(double /*unused*/)
{
    m_progress += m_increment;
    const double remaining = std::max(0.0, (100.0 - m_progress) * m_timeSum / 100.0);
    m_timeLine = remaining > 0.0
        ? tr("Estimated Time to Completion: ") + QString::asprintf("%.0f", remaining) + QStringLiteral(" s")
        : QString();
    SetProgress(m_progress);
    UpdateControls();
    return ConfirmCancel();
}

bool CSimDialog::SetStatusText(const QString& text)
{
    m_statusLine = text;
    UpdateControls();
    return ConfirmCancel();
}

void CSimDialog::SetProgress(double percent)
{
    if (percent == 0.0 || std::isnan(percent))
        return;
    PumpMessages();
    // Held inside the bar's range, so a run past 100 shows a full bar.
    const double position = std::clamp(percent, double(m_rangeMin), double(m_rangeMax));
    m_bar->setValue(static_cast<int>(position));
}
