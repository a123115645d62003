#pragma once
// Particle finding in black-and-white pictures: the contour walk and its measures.
// The whole-picture commands (AnalyseBinary, ClearEdges, MarkColour, MaskToBinary) are
// members of TPictures (Pictures.h).
#include <QImage>

namespace pictures {

// Most positions one walk records; a longer walk ends there.
constexpr int ContourCapacity = 10000;
// An analysis stops at this many particles.
constexpr int MaxParticles = 1000;

// Walks the boundary from (x0, y0) (black turns left, white right, other colours keep the
// direction), fills the traced rows white and marks the walk red; returns the size by
// `measure` (pictures::SizeMeasure) scaled with `kpix`. The walk also ends where its next
// move would leave the picture. The picture must be Format_RGBX8888.
long double TraceContour(QImage &surface, int x0, int y0, int measure, long double kpix);

// Paints white, in full, columns 0, 1, 2 and W - 1 and rows 0, 1, 2 and H - 1.
void PaintFrame(QImage &picture);

} // namespace pictures
