#include "analysis/Chart.h"
#include "analysis/FaultArith.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

using namespace fa;

namespace chart {

long double ClampBar(long double v)
{
    if (v > 130)
        return 130;
    if (!(v >= 0))
        return 0;
    return v;
}

namespace {

// To the nearest integer, halves to even, as nearbyint does in the default rounding mode.
// Adding and taking away 2^63 leaves exactly the rounded value of any smaller magnitude in
// the 64-bit mantissa, without the library call's cost of guarding the rounding state
// (this runs for every bar and every curve segment).
int Round(long double v)
{
    v = Chk(v);
    constexpr long double Big = 9223372036854775808.0L; // 2^63
    if (std::fabs(v) < Big / 2)
        return int(v >= 0 ? (v + Big) - Big : (v - Big) + Big);
    return int(std::nearbyint(v));
}

// The drawing primitives with the conventions of the canvas the layout was made for: a
// rectangle from (x1, y1) to (x2, y2) covers x1..x2-1 and y1..y2-1, outlined with the pen
// and filled with the brush.
class Canvas {
public:
    explicit Canvas(QImage &img) : p_(&img)
    {
        QFont f(QStringLiteral("Times New Roman"));
        f.setPixelSize(13); // 10 points at 96 dots per inch
        p_.setFont(f);
        p_.setBackgroundMode(Qt::OpaqueMode);
        p_.setBackground(Qt::white);
        p_.setBrush(Qt::white);
        Pen(Qt::black);
    }
    void Pen(const QColor &c) { p_.setPen(QPen(c, 0)); }
    void Rectangle(int x1, int y1, int x2, int y2)
    {
        if (x2 < x1)
            std::swap(x1, x2);
        if (y2 < y1)
            std::swap(y1, y2);
        if (x2 - x1 < 1 || y2 - y1 < 1)
            return;
        p_.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    }
    void Line(int x1, int y1, int x2, int y2) { p_.drawLine(x1, y1, x2, y2); }
    void Text(int x, int y, const QString &t)
    {
        const QPen pen = p_.pen();
        p_.setPen(Qt::black);
        p_.drawText(QRect(x, y, 1000, 100), Qt::AlignLeft | Qt::AlignTop, t);
        p_.setPen(pen);
    }

private:
    QPainter p_;
};

} // namespace

namespace {

void Paint(QImage &img, const ChartInput &in, QChar sep)
{
    const fits::ClassTable &t = in.table;
    const int n = t.n();
    Canvas c(img);
    c.Rectangle(0, 0, 600, 350);

    if (n < 1)
        throw MathError(mathtext::Invalid);
    const long double xmin = t.FirstLowerBound, xmax = t.d[size_t(n - 1)];
    const long double range = Sub(xmax, xmin);
    auto column = [&](long double x) { return Round(Add(Div(Mul(Sub(x, xmin), 400), range), 100)); };
    long double Pmax = 0;
    for (int i = 0; i < n; ++i)
        if (t.Diff[size_t(i)] >= Pmax)
            Pmax = t.Diff[size_t(i)];
    for (int j = 1; j <= 499; ++j) {
        const long double x = Div(Mul(range, j), 450);
        const long double y = in.differential(in.Shape, in.Scale, x);
        if (y >= Pmax)
            Pmax = y;
    }
    Pmax = Mul(Pmax, 1.05L);

    c.Pen(Qt::black);
    c.Text(120, 1, QCoreApplication::translate("Chart", "Интегральная кривая распределения"));
    c.Text(50, 1, QStringLiteral("D(d) , %"));
    c.Text(550, 155, QCoreApplication::translate("Chart", "d , мкм"));
    c.Rectangle(100, 15, 500, 145);
    c.Text(120, 181, QCoreApplication::translate("Chart", "Дифференциальная кривая распределения"));
    c.Text(20, 181, QCoreApplication::translate("Chart", "P(d) , %/мкм"));
    c.Text(550, 335, QCoreApplication::translate("Chart", "d , мкм"));
    c.Rectangle(100, 195, 500, 325);

    long double diffLabel = Mul(Pmax, 100);
    for (int j = 0; j <= 4; ++j) {
        c.Text(50, Round(15 + 32.5L * j),
               numtext::Fixed3(100 - 25 * j, sep));
        c.Text(50, 195 + 32 * j, numtext::Fixed3(diffLabel, sep));
        diffLabel = Sub(diffLabel, Mul(Pmax, 25));
        const int yi = Round(15 + 32.5L * j), yd = Round(195 + 32.5L * j);
        c.Line(95, yi, 100, yi);
        c.Line(95, yd, 100, yd);
    }
    long double sizeLabel = xmin;
    for (int j = 0; j <= 4; ++j) {
        const int X = 100 + 100 * j;
        c.Text(X, 150, numtext::Fixed3(sizeLabel, sep));
        c.Text(X, 330, numtext::Fixed3(sizeLabel, sep));
        sizeLabel = Add(sizeLabel, Mul(range, 0.25L));
        c.Line(X, 145, X, 150);
        c.Line(X, 325, X, 330);
    }

    if (in.ShowHistogram) {
        c.Pen(Qt::red);
        long double prev = xmin;
        for (int i = 0; i < n; ++i) {
            const long double d = t.d[size_t(i)];
            c.Rectangle(column(prev), Round(145 - ClampBar(Mul(t.Integral[size_t(i)], 129))), column(d), 145);
            prev = d;
        }
        prev = xmin;
        for (int i = 0; i < n; ++i) {
            const long double d = t.d[size_t(i)];
            c.Rectangle(column(prev), Round(325 - ClampBar(Div(Mul(t.Diff[size_t(i)], 129), Pmax))), column(d), 325);
            prev = d;
        }
    }
    if (in.ShowCurve) {
        c.Pen(QColor(kCurveColor));
        int px = 100, py = 145;
        for (int k = 1; k <= 400; ++k) {
            const long double x = Add(xmin, Div(Mul(range, k), 400));
            const int y = Round(145 - ClampBar(Mul(in.integral(in.Shape, in.Scale, x), 129)));
            c.Line(px, py, 100 + k, y);
            px = 100 + k;
            py = y;
        }
        px = 100;
        py = 325;
        for (int k = 1; k <= 400; ++k) {
            const long double x = Add(xmin, Div(Mul(range, k), 400));
            const int y = Round(325 - ClampBar(Div(Mul(in.differential(in.Shape, in.Scale, x), 129), Pmax)));
            c.Line(px, py, 100 + k, y);
            px = 100 + k;
            py = y;
        }
    }
}

} // namespace

QImage DrawDistribution(const ChartInput &in, QChar sep)
{
    QImage img(600, 350, QImage::Format_RGB32);
    img.fill(Qt::white);
    Paint(img, in, sep); // the painter has ended before the picture is handed out
    return img;
}

} // namespace chart
