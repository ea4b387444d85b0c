#pragma once
// The text a widget paints, run by run as its painter draws it: what the user reads, with a
// shortcut mark's "&" gone and its letter drawn underlined.

#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QString>
#include <QTextItem>
#include <QWidget>

struct PaintedRun {
    QString text;
    bool underlined = false;
    bool operator==(const PaintedRun&) const = default;
};

// A paint engine that keeps the text drawn through it and draws nothing.
class CTextRecordingEngine : public QPaintEngine {
public:
    CTextRecordingEngine() : QPaintEngine(AllFeatures) {} // all, so the painter emulates nothing
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override
    {
        runs << PaintedRun{item.text(), item.renderFlags().testFlag(QTextItem::Underline)};
    }
    Type type() const override { return User; }

    QList<PaintedRun> runs;
};

class CTextRecordingDevice : public QPaintDevice {
public:
    explicit CTextRecordingDevice(QSize size) : m_size(size) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    const QList<PaintedRun>& runs() const { return m_engine.runs; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        default:
            return 0;
        }
    }

private:
    QSize m_size;
    mutable CTextRecordingEngine m_engine;
};

inline QList<PaintedRun> PaintedText(QWidget& widget)
{
    CTextRecordingDevice device(widget.size());
    widget.render(&device);
    return device.runs();
}
