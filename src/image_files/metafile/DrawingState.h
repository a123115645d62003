#pragma once
// The drawing state both metafile codings share: pens, brushes, the mapping from logical
// units to picture pixels, clipping, paths, and the painter that puts them on the picture.
#include "image_files/metafile/Budget.h"
#include "image_files/metafile/Bytes.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QString>

#include <vector>

namespace metafile::detail {

enum : int {
    kMmText = 1, kMmLoMetric, kMmHiMetric, kMmLoEnglish, kMmHiEnglish, kMmTwips, kMmIsotropic, kMmAnisotropic
};
enum : int { kPsSolid = 0, kPsDash, kPsDot, kPsDashDot, kPsDashDotDot, kPsNull, kPsInsideFrame };
enum : int { kBsSolid = 0, kBsNull = 1, kBsHatched = 2 };

struct Pen {
    int style = kPsSolid;
    double width = 0; // logical units; 0 is one pixel
    bool cosmetic = true;
    QColor color = Qt::black;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
};

struct Brush {
    int style = kBsSolid;
    QColor color = Qt::white;
    int hatch = 0;
    QImage pattern;
};

enum class Kind { Pen, Brush, Other };

struct Object {
    Kind kind = Kind::Other;
    Pen pen;
    Brush brush;
};

struct DcState {
    Pen pen;
    Brush brush;
    int mapMode = kMmText;
    QPointF winOrg{0, 0}, vpOrg{0, 0};
    QPointF winExt{1, 1}, vpExt{1, 1};
    QTransform world;
    Qt::FillRule fill = Qt::OddEvenFill;
    QPointF pos;
    int rop2 = 13; // R2_COPYPEN
    int bkMode = 2; // OPAQUE
    QColor bkColor = Qt::white;
    bool clockwise = false;
    bool clipped = false;
    QRegion clip; // picture pixels
};

constexpr int kMaxSaved = 4096;


class Player {
public:
    Player(QImage &picture, const QTransform &deviceToPicture, QPointF devicePerMm);

    DcState s;
    bool wmf = false; // logical units always go through window and viewport
    Budget budget;

    QTransform Page() const;
    QTransform Full() const { return s.world * Page() * devToPic_; }
    const QTransform &DeviceToPicture() const { return devToPic_; }

    // Objects --------------------------------------------------------------------------

    void Select(const Object &o);
    void SelectStock(uint32_t which);

    // State stack ----------------------------------------------------------------------

    void Save();
    void Restore(int32_t which);

    // Clipping -------------------------------------------------------------------------

    QRegion Whole() const { return QRegion(picture_.rect()); }
    void Combine(const QRegion &r, uint32_t mode); // RGN_AND, OR, XOR, DIFF, COPY
    void ResetClip();
    // Regions are kept to the picture and a margin, so that their integer corners cannot overflow.
    QRectF Near() const { return QRectF(picture_.rect()).adjusted(-16, -16, 16, 16); }
    QRegion PathRegion(const QPainterPath &path);
    QRect RegionRect(const QRectF &r) const { return r.intersected(Near()).toRect(); }
    void ClipLogicalRect(const QRectF &rect, bool exclude);
    void ApplyClip();

    // Paths ----------------------------------------------------------------------------

    bool inPath = false;
    QPainterPath path; // picture pixels

    void BeginPath();
    void PathContinue() // a figure going on from the current position
    {
        if (path.elementCount() == 0)
            path.moveTo(Full().map(s.pos));
    }
    void PaintPath(bool fill, bool stroke);
    void ClipToPath(uint32_t mode);

    // Drawing --------------------------------------------------------------------------

    // Draws a shape given in logical units, or adds it to the open path.
    void Shape(QPainterPath logical, bool fill, bool stroke);
    void Polyline(const std::vector<QPointF> &pts, bool closed);
    void PolyPolyline(const std::vector<QPointF> &pts, const std::vector<uint32_t> &counts, bool closed);
    // A figure continuing from the current position: lines, or cubic curves if `bezier`.
    void PolyTo(const std::vector<QPointF> &pts, bool bezier);
    void PolyBezier(const std::vector<QPointF> &pts);
    void MoveTo(QPointF q);
    void LineTo(QPointF q);
    void CloseFigure();

    // GDI boxes exclude their right and bottom edges.
    static QRectF Box(double l, double t, double r, double b) { return QRectF(QPointF(l, t), QPointF(r, b)).normalized(); }

    void Rectangle(const QRectF &box);
    void Ellipse(const QRectF &box);
    void RoundRect(const QRectF &box, double cx, double cy);
    // kind: 0 arc, 1 chord, 2 pie, 3 arc continuing from the current position
    void Arc(const QRectF &box, QPointF start, QPointF end, int kind);
    void SetPixel(QPointF q, QColor c);

    // Fills a rectangle given in logical units by a raster operation without a source.
    void PatBlt(const QRectF &rect, uint32_t rop);

    // Puts the part `src` (pixels, top-left origin) of a bitmap on the logical rectangle
    // at `dest` with its signed extent.
    void Blit(const QImage &image, QRectF src, QRectF dest, uint32_t rop);

    // Paints a logical shape with the current brush and pen.
    void Paint(const QPainterPath &logical, bool fill, bool stroke, bool fillOnly);

    // Decodes the bitmap of a record, if the file may still afford it.
    QImage Bitmap(View info, View bits, bool pattern);

private:
    // Pixels the painter will touch for a shape, within the picture and the clip: its box
    // for a fill, its outline's length times the pen's width for a stroke, and a row of its
    // box for each element, which is what scan conversion costs.
    double Passes() const;
    QRectF Reach() const;
    double FillCost(const QPainterPath &logical, const QTransform &t) const;
    double StrokeCost(const QPainterPath &logical, const QTransform &t, const QPen &pen) const;
    double ScanCost(const QPainterPath &logical, const QTransform &t, const QRectF &box) const;
    // Runs a drawing once, or once for every band of a clip too tall to be set whole.
    template <class Draw>
    void Clipped(Draw &&draw);

    QPen MakePen(const QTransform &t) const;
    QColor RopColor(QColor c) const;
    QBrush MakeBrush(const QTransform &t) const;
    QPainter::CompositionMode Rop2Mode() const;

    QImage &picture_;
    QTransform devToPic_;
    QPointF devPerMm_;
    QPainter painter_;
    std::vector<DcState> saved_;
    std::vector<QRegion> bands_;
};

// A blank white picture of a size the file asks for, or a null image with the reason.
bool CheckSize(int64_t w, int64_t h, QString &error);
QImage BlankPicture(int64_t w, int64_t h, QString &error);

} // namespace metafile::detail
