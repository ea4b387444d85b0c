#include "results/RecipeMarks.h"

#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace {
constexpr int MARK_SIZE = 12;

void DrawBreakpointDot(QPainter& painter, const QRectF& area)
{
    painter.setPen(QPen(QColor(128, 0, 0), 1));
    painter.setBrush(QColor(220, 0, 0));
    painter.drawEllipse(area);
}

void DrawRemarkSign(QPainter& painter, const QColor& fill)
{
    QPainterPath triangle;
    triangle.moveTo(MARK_SIZE / 2.0, 0.5);
    triangle.lineTo(MARK_SIZE - 0.5, MARK_SIZE - 0.5);
    triangle.lineTo(0.5, MARK_SIZE - 0.5);
    triangle.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawPath(triangle);
    painter.drawLine(QPointF(MARK_SIZE / 2.0, 4), QPointF(MARK_SIZE / 2.0, 8));
}

QPixmap PaintMark(RecipeMark mark)
{
    QPixmap pixmap(MARK_SIZE, MARK_SIZE);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (mark) {
    case RecipeMark::Breakpoint:
        DrawBreakpointDot(painter, QRectF(1, 1, MARK_SIZE - 2, MARK_SIZE - 2));
        break;
    case RecipeMark::Stopped: {
        const QPointF arrow[] = {{1, 2}, {MARK_SIZE - 1, MARK_SIZE / 2.0}, {1, MARK_SIZE - 2.0}};
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(255, 220, 0));
        painter.drawPolygon(arrow, 3);
        break;
    }
    case RecipeMark::Error:
    case RecipeMark::ErrorBreakpoint:
        DrawRemarkSign(painter, QColor(230, 40, 40));
        break;
    case RecipeMark::Warning:
    case RecipeMark::WarningBreakpoint:
        DrawRemarkSign(painter, QColor(255, 210, 0));
        break;
    }
    if (mark == RecipeMark::ErrorBreakpoint || mark == RecipeMark::WarningBreakpoint)
        DrawBreakpointDot(painter, QRectF(0, MARK_SIZE - 6, 5, 5));
    return pixmap;
}
} // namespace

bool LineMarkOf(int severity, bool breakpoint, bool remarksShown, RecipeMark* mark)
{
    if (remarksShown && severity == 0)
        *mark = breakpoint ? RecipeMark::ErrorBreakpoint : RecipeMark::Error;
    else if (remarksShown && severity == 1)
        *mark = breakpoint ? RecipeMark::WarningBreakpoint : RecipeMark::Warning;
    else if (breakpoint)
        *mark = RecipeMark::Breakpoint;
    else
        return false;
    return true;
}

const QPixmap& RecipeMarkPixmap(RecipeMark mark)
{
    static std::array<QPixmap, 6> pixmaps;
    QPixmap& pixmap = pixmaps.at(size_t(mark));
    if (pixmap.isNull())
        pixmap = PaintMark(mark);
    return pixmap;
}

long StoppedRecipeLine(long stepID)
{
    EngineEntry* engine = GetEngineEntry();
    return engine ? engine->getSimulationStoppedRecipeSequenceNumber(stepID) : 0;
}
