#include "shell/DockTabTitles.h"

#include "foundation/common/ShortcutMarks.h"

#include <QApplication>
#include <QChildEvent>
#include <QMainWindow>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionTab>
#include <QTabBar>

namespace {
bool IsVertical(QTabBar::Shape shape)
{
    return shape == QTabBar::RoundedWest || shape == QTabBar::RoundedEast ||
           shape == QTabBar::TriangularWest || shape == QTabBar::TriangularEast;
}

// The application's style, except that a tab's label shows its text literally and the tab is
// sized for the literal text.
class CLiteralTabStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (element != CE_TabBarTabLabel || !tab) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        QStyleOptionTab literal(*tab);
        literal.text = literalLabel(*tab, widget);
        QProxyStyle::drawControl(element, &literal, painter, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                           const QWidget* widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (type == CT_TabBarTab && tab)
            (IsVertical(tab->shape) ? size.rheight() : size.rwidth()) += literalWidthGain(*tab);
        return size;
    }

private:
    // The text with its "&"s escaped, shortened again where they no longer fit the label's room.
    QString literalLabel(const QStyleOptionTab& tab, const QWidget* widget) const
    {
        const auto* bar = qobject_cast<const QTabBar*>(widget);
        const int room = proxy()->subElementRect(SE_TabBarTabText, &tab, widget).width();
        return tab.fontMetrics.elidedText(EscapeShortcutMarks(tab.text),
                                          bar ? bar->elideMode() : Qt::ElideNone, room, Qt::TextShowMnemonic);
    }

    // The tab bar measures its text with "&" as a shortcut mark, which takes no room.
    static int literalWidthGain(const QStyleOptionTab& tab)
    {
        const QFontMetrics& metrics = tab.fontMetrics;
        return metrics.size(Qt::TextShowMnemonic, EscapeShortcutMarks(tab.text)).width() -
               metrics.size(Qt::TextShowMnemonic, tab.text).width();
    }
};

// One style for every tab bar, owned by the application: a widget does not own its style, and
// this one outlives every window that uses it.
QStyle* LiteralTabStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new CLiteralTabStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

void UseLiteralLabels(QTabBar* tabs)
{
    if (tabs && tabs->style() != LiteralTabStyle())
        tabs->setStyle(LiteralTabStyle());
}
} // namespace

CDockTabTitles::CDockTabTitles(QMainWindow* window) : QObject(window)
{
    for (QTabBar* tabs : window->findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly))
        UseLiteralLabels(tabs);
    window->installEventFilter(this);
}

// The window makes a tab bar when docks are first tabbed together there (by code, by the user's
// drag, by a restored layout); a new one is polished before it is first shown.
bool CDockTabTitles::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildPolished)
        UseLiteralLabels(qobject_cast<QTabBar*>(static_cast<QChildEvent*>(event)->child()));
    return QObject::eventFilter(watched, event);
}
