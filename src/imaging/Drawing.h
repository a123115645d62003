#pragma once
// The drawing of the graphic editor and the rubber shapes of the selection tools, on the
// picture itself.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <cstdint>

// ToolShape values.
enum ToolShapeKind : uint8_t { ShapePoint = 0, ShapeLine = 1, ShapeRectangle = 2, ShapeEllipse = 3, ShapeRoundRect = 4 };

// Copy puts the pen's colour down; NotXor makes each pixel the inverse of pen XOR pixel,
// so drawing the same shape twice restores the picture.
enum class PenMode { Copy, NotXor };

// Pen and brush of the picture. The selection tools use the defaults: black solid pen of
// width 1, white solid brush.
struct DrawStyle {
    QColor penColor = Qt::black;
    int penWidth = 1;
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor brushColor = Qt::white;
    Qt::BrushStyle brushStyle = Qt::SolidPattern;
};

// Brush-style buttons of the brush bar in their order (solid, clear, horizontal,
// vertical, forward diagonal, backward diagonal, cross, diagonal cross); -1 for others.
Qt::BrushStyle BrushStyleOfButton(int index);
// Pen-style buttons in their order (solid, dash, dot, dash-dot, dash-dot-dot, clear).
Qt::PenStyle PenStyleOfButton(int index);

// Corner ellipse of the rounded rectangle P, Q: ((P.x - Q.x) div 2, (P.y - Q.y) div 2),
// halved toward zero; negative when Q lies right of or below P.
QSize RoundRectCorner(QPoint p, QPoint q);

// Draws the shape of `toolShape` from P to Q: a dot at Q, a line, a rectangle, the ellipse
// inscribed in the rectangle, or the rounded rectangle. The rectangle P, Q covers both
// corner pixels whichever way it was dragged.
void DrawShape(QImage &picture, ToolShapeKind toolShape, QPoint p, QPoint q, PenMode mode, const DrawStyle &style);

// The mouse of the graphic editor: a rubber shape while dragging (dots with the point
// tool), the final shape in the current pen and brush on release.
class DrawingTool {
public:
    void Press(QPoint pos);
    void Move(QImage &picture, QPoint pos);
    void Release(QImage &picture, QPoint pos);

    ToolShapeKind toolShape = ShapePoint;
    DrawStyle style;
    bool mouseIsDown = false;
    QPoint dragStart, dragEnd;
};
