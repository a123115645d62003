#include "imaging/Drawing.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

Qt::BrushStyle BrushStyleOfButton(int index)
{
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern, Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    return (index >= 0 && index < 8) ? styles[index] : Qt::SolidPattern;
}

Qt::PenStyle PenStyleOfButton(int index)
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,      Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    return (index >= 0 && index < 6) ? styles[index] : Qt::SolidLine;
}

QSize RoundRectCorner(QPoint p, QPoint q)
{
    // C++ integer division truncates toward zero, as the corner size wants.
    return QSize((p.x() - q.x()) / 2, (p.y() - q.y()) / 2);
}

void DrawShape(QImage &picture, ToolShapeKind toolShape, QPoint p, QPoint q, PenMode mode, const DrawStyle &style)
{
    if (picture.isNull())
        return;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (mode == PenMode::NotXor)
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    QPen pen(style.penColor, std::max(1, style.penWidth), style.penStyle);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(QBrush(style.brushColor, style.brushStyle));
    // A shape of no extent draws nothing: the first erase of a rubber shape starts there,
    // and it must leave the picture as it was.
    if (toolShape != ShapePoint && p == q)
        return;
    // The rectangle between the two corners; a 1-pixel outline covers both corner pixels.
    const QRect box(QPoint(std::min(p.x(), q.x()), std::min(p.y(), q.y())),
                    QSize(std::abs(p.x() - q.x()), std::abs(p.y() - q.y())));
    switch (toolShape) {
    case ShapePoint:
        painter.drawPoint(q);
        break;
    case ShapeLine:
        painter.drawLine(p, q);
        break;
    case ShapeRectangle:
        painter.drawRect(box);
        break;
    case ShapeEllipse:
        painter.drawEllipse(box);
        break;
    case ShapeRoundRect: {
        // The corner ellipse's size, whatever its sign, gives the radii.
        const QSize c = RoundRectCorner(p, q);
        painter.drawRoundedRect(box, std::abs(c.width()) / 2.0, std::abs(c.height()) / 2.0,
                                Qt::AbsoluteSize);
        break;
    }
    default:
        break;
    }
}

void DrawingTool::Press(QPoint pos)
{
    mouseIsDown = true;
    dragStart = dragEnd = pos;
}

void DrawingTool::Move(QImage &picture, QPoint pos)
{
    if (!mouseIsDown)
        return;
    PenMode mode = PenMode::Copy;
    if (toolShape != ShapePoint) {
        DrawShape(picture, toolShape, dragStart, dragEnd, PenMode::NotXor, style);
        mode = PenMode::NotXor;
    }
    dragEnd = pos;
    DrawShape(picture, toolShape, dragStart, dragEnd, mode, style);
}

void DrawingTool::Release(QImage &picture, QPoint pos)
{
    if (!mouseIsDown)
        return;
    DrawShape(picture, toolShape, dragStart, pos, PenMode::Copy, style);
    mouseIsDown = false;
}
