#include "foundation/controls/DeferredStandardIcon.h"

#include <QApplication>
#include <QIconEngine>

namespace {
class CDeferredStandardIconEngine : public QIconEngine {
public:
    explicit CDeferredStandardIconEngine(QStyle::StandardPixmap which) : m_which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Layouts ask before anything is drawn; the style has an image for each of its standard icons.
    bool isNull() override { return m_read && m_icon.isNull(); }
    QIconEngine* clone() const override { return new CDeferredStandardIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!m_read) {
            m_icon = QApplication::style()->standardIcon(m_which);
            m_read = true;
        }
        return m_icon;
    }

    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_read = false;
};
} // namespace

QIcon DeferredStandardIcon(QStyle::StandardPixmap which)
{
    return QIcon(new CDeferredStandardIconEngine(which));
}
