#pragma once
// The scale bar of an image window and the stamp that saving can draw into a picture.
#include <QDate>
#include <QImage>
#include <QString>

namespace scalebar {

// The bar of n pixels that stands for L micrometres (a power of ten) at zoom 1; n is 0
// when the coefficient is not a positive finite number.
struct Length {
    int n = 0;
    long double L = 0;
};
Length LengthFor(double kpix);

// The 200 x 20 picture of the bar and its text ("100 мкм").
QImage DrawCalibrate(double kpix, QChar sep);

// The date label's text: the system's short date format.
QString DateText(const QDate &date);

// Draws the bar at the bottom left of the picture, then the date at x = 220 and the file
// name at x = 300, 17 pixels above the bottom, in "Times New Roman" 10.
void Stamp(QImage &picture, const QImage &bar, const QString &date, const QString &fileName);

} // namespace scalebar

namespace zoom {

// The displayed size after each zoom command; an empty picture keeps its display.
// Never below one pixel, so positions always convert back.
QSize ZoomIn(QSize shown);
QSize ZoomOut(QSize shown);
QSize StretchWidth(QSize picture, int scrollWidth);
QSize StretchHeight(QSize picture, int scrollHeight);
// Display position to picture pixel: round(v / zoom), halves to even.
int ToPicture(int v, double zoomFactor);

} // namespace zoom
