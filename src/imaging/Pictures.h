#pragma once
// TPictures: the one image-processing engine of the program. Every image window hands it
// its picture (a QImage, kept in Format_RGBX8888) and the engine rewrites it in place.
// It owns the working copy, which is the global undo copy and the image that binary
// analysis works on.
#include "imaging/BinaryAnalysis.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

struct TSampleData;

// The engine's view of the progress window: a title, a position 0..100 set between
// columns, and closing. The GUI supplies TPictureMessage; without one nothing is shown.
class TPictureProgress {
public:
    virtual ~TPictureProgress() = default;
    virtual void Show(const QString &title) = 0;
    virtual void SetPosition(int percent) = 0;
    virtual void Close() = 0;
};

namespace pictures {

// The fourth byte of every pixel of the working form.
constexpr uint32_t Opaque = 0xFF000000u;

// round(n / d) with halves to even, for n >= 0, d > 0: the progress positions.
constexpr int RoundDiv(long long n, long long d)
{
    const long long q = n / d, r = n % d;
    return int(2 * r > d || (2 * r == d && (q & 1)) ? q + 1 : q);
}

// Packed colour 0x00BBGGRR: red in the low byte, blue weighs most.
constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Red = 0x0000FF;  // contour marks
constexpr uint32_t Blue = 0xFF0000; // colour-mask marks

// Progress titles, in context "TPictures".
extern const char *const TitleMedian;
extern const char *const TitleNegative;
extern const char *const TitleBlackAndWhite;
extern const char *const TitleGrayscale;
extern const char *const TitleMirrorH;
extern const char *const TitleMirrorV;
extern const char *const TitleShades;   // begins with Latin "Pa" on purpose
extern const char *const TitleClearEdges;
extern const char *const TitleAnalyse;

// Limits and defaults of the bars' controls.
constexpr int FiltrMin = 1, FiltrMax = 10, FiltrDefault = 3;      // EditFiltrX, EditFiltrY
constexpr int BrightMin = 0, BrightMax = 100, BrightDefault = 30;  // EditBright
constexpr int GradMin = 1, GradMax = 128, GradDefault = 10;        // EditGrad
constexpr uint32_t DiffColor1Default = Black, DiffColor2Default = White;
constexpr uint32_t Analis2ColorDefault = White;
// Relations of SeparateByShades, the radio buttons "<Цвет 1", ">Цвет 1", "Цвет 1<X<Цвет 2".
enum ShadeRelation { ShadeBelow = 0, ShadeAtLeast = 1, ShadeMidpoint = 2 };
constexpr ShadeRelation ShadeDefault = ShadeMidpoint;

// The packed colour of a QColor-like triple and back.
constexpr uint32_t Pack(int r, int g, int b)
{
    return uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16);
}

// Grey level of a colour: round(0.3 R + 0.59 G + 0.11 B), summed left to right in
// extended precision, halves to even.
int GrayOf(int r, int g, int b);

// Converts to Format_RGBX8888 if needed (files and the clipboard may bring other forms).
void EnsureFormat(QImage &picture);

// Packed colour of pixel (x, y); the picture must be in Format_RGBX8888 and (x, y) inside.
uint32_t PixelAt(const QImage &picture, int x, int y);

} // namespace pictures

class TPictures {
public:
    TPictures() = default;
    TPictures(const TPictures &) = delete;
    TPictures &operator=(const TPictures &) = delete;

    // The progress window to use; not owned, may be null.
    void SetProgress(TPictureProgress *progress) { Progress = progress; }

    bool UndoAvailable() const { return Undo; }
    // Whether operations take the undo copy first (the default). The command line, which
    // has no Undo, spares itself the memory of a second picture.
    void SetUndoKept(bool kept) { KeepUndo = kept; }
    const QImage &WorkingCopy() const { return Copy; }

    // Copies: the destination's memory is reused when its size already fits; a destination
    // that already shares the source's pixels (after an analysis) is left so.
    void CopyPicture(const QImage &source, QImage &destination, bool undoAvailable);
    void SaveUndoCopy(const QImage &picture);
    void RestoreFromCopy(QImage &picture);
    void UndoLast(QImage &picture);

    // Whole-image operations, each with the progress window and an undo copy first.
    void MedianFilter(int X, int Y, QImage &picture);
    void Negative(QImage &picture);
    void BlackAndWhite(int brightness, QImage &picture); // brightness 0..100, clamped
    void Grayscale(QImage &picture);
    void MirrorHorizontal(QImage &picture);
    void MirrorVertical(QImage &picture);
    // Colours packed, only their low 24 bits count.
    void SeparateByShades(pictures::ShadeRelation relation, uint32_t colour1, uint32_t colour2, QImage &picture);

    // Binary analysis (BinaryAnalysis.h).
    void ClearEdges(QImage &picture);
    // Fills `result` (Count, D, N) with one size per particle found, in scan order, and
    // gives the picture the marked image. At most 1000 particles.
    void AnalyseBinary(TSampleData &result, pictures::SizeMeasure measure, long double kpix, QImage &picture);
    // "Отметить": every pixel within `tolerance` of `colour` in each channel becomes blue.
    void MarkColour(uint32_t colour, int tolerance, QImage &picture);
    // First step of "Рассчитать": a white picture of the same size with the blue marks
    // (outside the first two rows and columns) in black.
    static QImage MaskToBinary(const QImage &picture);

private:
    void Begin(const char *title);
    void Step(int percent);
    void End();
    // Undo copy of `picture` row by row, each row then rewritten by op(row, keep, W).
    template <class RowOp>
    void StripPass(const char *title, QImage &picture, RowOp op);
    // Makes the undo copy ready to take the picture row by row; without one (not kept, or
    // no memory for it) returns two scratch rows instead.
    uint32_t *PrepareUndo(const QImage &picture);

    TPictureProgress *Progress = nullptr;
    int LastPosition = -1;
    bool Undo = false;
    bool KeepUndo = true;
    QImage Copy;
    std::vector<uint32_t> ScratchRows;
    std::vector<uint8_t> GrayTies;
    std::vector<uint32_t> MedianPicture;
    pictures::ParticleScan Scan;
};
