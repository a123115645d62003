#pragma once
// The mouse of manual-measurement mode: the five selection tools, their rubber shapes on
// the picture, and the polygon they build. Restoring the picture from the undo copy
// (tool change, unselect, polygon measurements) is the window's part.
#include "imaging/Drawing.h"
#include "imaging/Selection.h"

class SelectionTools {
public:
    // The buttons BtnSelect0..BtnSelect4.
    enum Tool { Segment = 0, Rectangle = 1, Ellipse = 2, Segments = 3, Freehand = 4 };

    // Chooses a tool and empties the selection (after the window's RestoreFromCopy).
    void SetTool(Tool t);
    Tool CurrentTool() const { return tool_; }

    void Press(QImage &picture, QPoint pos);
    void Move(QImage &picture, QPoint pos);
    // Returns true when the segment tool finished a linear measurement: the rubber line is
    // erased and `start`, `end` are the segment (end is the last position reached while
    // dragging, not the release position).
    bool Release(QImage &picture, QPoint pos, QPoint &start, QPoint &end);

    Selection selection;
    ToolShapeKind toolShape = ShapeLine;
    bool mouseIsDown = false;
    QPoint dragStart, dragEnd;
    const DrawStyle style{}; // black solid pen of width 1, white solid brush

private:
    Tool tool_ = Segment;
};
