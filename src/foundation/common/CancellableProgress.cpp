#include "foundation/common/CancellableProgress.h"

#include "foundation/common/AutomationFlag.h"
#include "foundation/common/ServiceSlot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#include <memory>

namespace {
// Events are taken at most this often: the work asks far more often than a window needs.
constexpr qint64 EVENT_INTERVAL_MS = 50;

constexpr qint64 SHOW_AFTER_MS = 500;

class DialogProgress : public CancellableProgress {
public:
    void Begin(const QString& text) override
    {
        m_started.start();
        m_events.start();
        if (g_bAutomationActive)
            return;
        m_dialog = std::make_unique<QProgressDialog>(text, QStringLiteral("Cancel"), 0, 0,
                                                     QApplication::activeWindow());
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(int(SHOW_AFTER_MS));
    }
    bool Cancelled() override
    {
        if (!m_dialog)
            return false;
        if (m_events.elapsed() >= EVENT_INTERVAL_MS) {
            m_events.restart();
            if (!m_dialog->isVisible() && m_started.elapsed() >= SHOW_AFTER_MS)
                m_dialog->show();
            QCoreApplication::processEvents();
        }
        return m_dialog->wasCanceled();
    }
    void End() override { m_dialog.reset(); }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_started;
    QElapsedTimer m_events;
};
} // namespace

CancellableProgress* GetCancellableProgress()
{
    static DialogProgress dialog;
    CancellableProgress* installed = ServiceSlot<CancellableProgress>::Get();
    return installed ? installed : &dialog;
}
