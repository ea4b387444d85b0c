#include "foundation/common/MessageBox.h"

#include "foundation/common/ServiceSlot.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(unsigned flags)
{
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonSet {
    QList<QMessageBox::StandardButton> buttons;
    QList<int> answers;
};

ButtonSet buttonsFor(unsigned flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, QMessageBox::Cancel}, {IDOK, IDCANCEL}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, {IDYES, IDNO, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, QMessageBox::No}, {IDYES, IDNO}};
    default:
        return {{QMessageBox::Ok}, {IDOK}};
    }
}

int defaultIndex(unsigned flags, int count)
{
    int index = 0;
    if ((flags & MB_DEFMASK) == MB_DEFBUTTON2)
        index = 1;
    else if ((flags & MB_DEFMASK) == MB_DEFBUTTON3)
        index = 2;
    return index < count ? index : 0;
}

class WidgetPromptService : public PromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override
    {
        const ButtonSet set = buttonsFor(flags);
        QMessageBox box(iconFor(flags), caption.isEmpty() ? QStringLiteral("Tamro Plenthover") : caption, text,
                        QMessageBox::NoButton, QApplication::activeWindow());
        for (auto button : set.buttons)
            box.addButton(button);
        box.setDefaultButton(set.buttons.at(defaultIndex(flags, int(set.buttons.size()))));
        box.setTextFormat(Qt::PlainText);                       // names a user typed read as typed
        box.setTextInteractionFlags(Qt::TextSelectableByMouse); // the text can be read out and copied
        const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
        const qsizetype at = set.buttons.indexOf(pressed);
        if (at < 0) // closed with Esc or the close box
            return set.answers.contains(IDCANCEL) ? IDCANCEL : set.answers.last();
        return set.answers.at(at);
    }
};

} // namespace

int DefaultAnswer(unsigned flags)
{
    const ButtonSet set = buttonsFor(flags);
    return set.answers.at(defaultIndex(flags, int(set.answers.size())));
}

PromptService* SetPromptService(PromptService* service) { return ServiceSlot<PromptService>::Set(service); }

PromptService* GetPromptService()
{
    static WidgetPromptService widgetService;
    PromptService* installed = ServiceSlot<PromptService>::Get();
    return installed ? installed : &widgetService;
}

int QvMessageBox(const QString& text, unsigned flags, const QString& caption)
{
    return GetPromptService()->prompt(text, flags, caption);
}

int AutomationPromptService::prompt(const QString& text, unsigned flags, const QString&)
{
    m_lastText = text;
    return DefaultAnswer(flags);
}
