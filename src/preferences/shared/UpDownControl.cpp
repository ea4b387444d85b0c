#include "preferences/shared/UpDownControl.h"

#include "foundation/controls/OptionControls.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

CUpDownControl::CUpDownControl(QWidget* parent, int editID, int upDownID)
    : QWidget(parent), m_edit(new QLineEdit(this))
{
    m_edit->setObjectName(QString::number(editID));
    auto* arrows = new QWidget(this);
    arrows->setObjectName(QString::number(upDownID));
    auto* up = new QToolButton(arrows);
    auto* down = new QToolButton(arrows);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    auto* arrowLayout = new QVBoxLayout(arrows);
    arrowLayout->setContentsMargins(0, 0, 0, 0);
    arrowLayout->setSpacing(0);
    arrowLayout->addWidget(up);
    arrowLayout->addWidget(down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addWidget(arrows);
    // The arrows share the edit's height beside it; the control keeps the size of both.
    const int half = m_edit->sizeHint().height() / 2;
    for (QToolButton* button : {up, down})
        button->setFixedSize(half + half / 2, half);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    FitEditToRange();
    connect(up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(m_edit, &QLineEdit::textChanged, this, &CUpDownControl::OnEditChanged);
}

void CUpDownControl::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    FitEditToRange();
}

// Wide enough for the longest number of the range, and a little more to type in.
void CUpDownControl::FitEditToRange()
{
    const QString longest = QString::number(m_lower).size() > QString::number(m_upper).size()
                                ? QString::number(m_lower)
                                : QString::number(m_upper);
    const int text = m_edit->fontMetrics().horizontalAdvance(longest + QStringLiteral("00"));
    const QMargins margins = m_edit->textMargins() + m_edit->contentsMargins();
    m_edit->setFixedWidth(text + margins.left() + margins.right() + 8);
}

void CUpDownControl::SetPos(int position)
{
    m_position = qBound(m_lower, position, m_upper);
    m_writing = true;
    m_edit->setText(QString::number(m_position));
    m_writing = false;
}

void CUpDownControl::Step(int delta)
{
    SetPos(m_position + delta);
    emit positionChanged(m_position);
}

void CUpDownControl::OnEditChanged(const QString& text)
{
    if (m_writing)
        return;
    const bool empty = text.trimmed().isEmpty();
    const int value = text.trimmed().toInt();
    if (empty && (m_lower > 0 || m_upper < 0)) {
        emit editValueChanged(value, empty);
        return;
    }
    if (value >= m_lower && value <= m_upper)
        m_position = value;
    else
        OptionBeep();
    emit editValueChanged(value, empty);
}
