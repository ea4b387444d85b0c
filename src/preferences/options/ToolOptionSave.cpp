#include "preferences/options/ToolOptionSave.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/OptionControls.h"
#include "preferences/shared/UpDownControl.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

namespace {
constexpr int AUTO_SAVE_CHECK = 1434;
}

bool CToolOptionSave::LoadOptions()
{
    ProjectLifecycleServices* frame = GetProjectLifecycleServices();
    m_minutes = frame ? unsigned(frame->GetAutoSaveInterval()) : 0;
    m_bAutoSave = m_minutes != 0;
    return true;
}

void CToolOptionSave::SaveOptions()
{
    if (!m_bAutoSave)
        m_minutes = 0;
    m_minutes = std::min<unsigned>(m_minutes, MAX_AUTO_SAVE_INTERVAL);
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->SetAutoSaveInterval(int(m_minutes));
    if (AppContext* app = GetAppContext(); app && app->profile())
        app->profile()->setValue(QStringLiteral("Options/AutoSave"), int(m_minutes));
}

void CToolOptionSave::BuildControls(QWidget* page)
{
    auto* layout = new QHBoxLayout(page);
    layout->setAlignment(Qt::AlignTop);
    QCheckBox* check = MakeCheckBox(page, AUTO_SAVE_CHECK, QStringLiteral("Automatic Save Every"));
    m_upDown = new CUpDownControl(page, 1436, 1435);
    layout->addWidget(check);
    layout->addWidget(m_upDown);
    layout->addWidget(new QLabel(QStringLiteral("Minutes"), page));
    layout->addStretch();
    QObject::connect(check, &QCheckBox::clicked, page, [this] { OnCheckClicked(); });
    QObject::connect(m_upDown, &CUpDownControl::positionChanged, page,
                     [this](int position) { SetFlag(position != 0); });
    QObject::connect(m_upDown, &CUpDownControl::editValueChanged, page,
                     [this](int value, bool) { SetFlag(value != 0); });
}

void CToolOptionSave::OnInitDialog()
{
    m_upDown->SetRange(0, MAX_AUTO_SAVE_INTERVAL);
    m_upDown->SetPos(int(short(m_minutes)));
    SetFlag(m_minutes != 0);
}

void CToolOptionSave::SetFlag(bool on)
{
    m_bAutoSave = on;
    SetChecked(window(), AUTO_SAVE_CHECK, on);
}

// Clearing the box empties the minutes; ticking it alone changes nothing else.
void CToolOptionSave::OnCheckClicked()
{
    if (!m_bAutoSave) {
        m_bAutoSave = IsChecked(window(), AUTO_SAVE_CHECK);
        return;
    }
    m_upDown->SetPos(0);
    m_upDown->edit()->clear(); // the edit change clears the box and the flag
}

bool CToolOptionSave::DoDataExchange(bool saveAndValidate)
{
    if (!saveAndValidate) {
        SetChecked(window(), AUTO_SAVE_CHECK, m_bAutoSave);
        m_upDown->edit()->setText(QString::number(m_minutes));
        return true;
    }
    m_bAutoSave = IsChecked(window(), AUTO_SAVE_CHECK);
    const int emptyReadsZero = 0;
    int minutes = 0;
    if (!ReadIntegerEdit(m_upDown->edit(), 0, MAX_AUTO_SAVE_INTERVAL, minutes, &emptyReadsZero))
        return false;
    m_minutes = unsigned(minutes);
    return true;
}
