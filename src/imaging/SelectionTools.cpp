#include "imaging/SelectionTools.h"

void SelectionTools::SetTool(Tool t)
{
    tool_ = t;
    selection.Clear();
    mouseIsDown = false;
    toolShape = (t == Rectangle) ? ShapeRectangle : (t == Ellipse) ? ShapeEllipse : ShapeLine;
}

void SelectionTools::Press(QImage &picture, QPoint pos)
{
    switch (tool_) {
    case Segment:
        mouseIsDown = true;
        dragStart = dragEnd = pos;
        break;
    case Rectangle:
    case Ellipse:
        mouseIsDown = true;
        dragStart = dragEnd = pos;
        selection.Clear();
        selection.Append(pos);
        break;
    case Segments:
        if (AppendSegmentsPoint(selection, pos)) {
            const int n = selection.Count();
            DrawShape(picture, ShapeLine, selection.Point(n - 2), selection.Point(n - 1), PenMode::NotXor, style);
        }
        break;
    case Freehand:
        mouseIsDown = true;
        AppendFreehandPoint(selection, picture, pos);
        break;
    }
}

void SelectionTools::Move(QImage &picture, QPoint pos)
{
    if (!mouseIsDown)
        return;
    switch (tool_) {
    case Segment:
    case Rectangle:
    case Ellipse:
        DrawShape(picture, toolShape, dragStart, dragEnd, PenMode::NotXor, style);
        dragEnd = pos;
        DrawShape(picture, toolShape, dragStart, dragEnd, PenMode::NotXor, style);
        break;
    case Freehand:
        AppendFreehandPoint(selection, picture, pos);
        break;
    case Segments:
        break;
    }
}

bool SelectionTools::Release(QImage &picture, QPoint pos, QPoint &start, QPoint &end)
{
    if (!mouseIsDown)
        return false;
    mouseIsDown = false;
    switch (tool_) {
    case Segment:
        DrawShape(picture, toolShape, dragStart, dragEnd, PenMode::NotXor, style);
        start = dragStart;
        end = dragEnd;
        return true;
    case Rectangle:
    case Ellipse: {
        // The last rubber shape stays; the selection is the rectangle in both tools.
        const QPoint p1 = selection.IsEmpty() ? dragStart : selection.Point(0);
        selection = RectangleSelection(p1, pos);
        return false;
    }
    default:
        return false;
    }
}
