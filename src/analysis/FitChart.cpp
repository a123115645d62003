#include "analysis/FitChart.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace mle {

QRgb LawColor(int law)
{
    static const QRgb colors[] = {0xFF000000, 0xFF0000FF, 0xFF008000, 0xFFC000C0, 0xFFA06000};
    return colors[law >= 1 && law <= kLaws ? law : 0];
}

QRgb BandColor(int law)
{
    const QRgb c = LawColor(law); // a quarter of the curve's colour on white
    return qRgb(191 + qRed(c) / 4, 191 + qGreen(c) / 4, 191 + qBlue(c) / 4);
}

namespace {

// The plot frame and the legend's column.
constexpr int kLeft = 70, kRight = 430, kTop = 25, kBottom = 310, kLegend = 450;

const char *const kLegendName[] = {
    QT_TRANSLATE_NOOP("FitChart", "выборка"), QT_TRANSLATE_NOOP("FitChart", "Годена-Андреева"),
    QT_TRANSLATE_NOOP("FitChart", "Розина-Раммлера"), QT_TRANSLATE_NOOP("FitChart", "нормальный"),
    QT_TRANSLATE_NOOP("FitChart", "лог.-нормальный")};

} // namespace

QImage DrawFitChart(const Sample &s, const Result &r, QChar sep)
{
    QImage img(600, 350, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(13); // 10 points at 96 dots per inch
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 599, 349);

    const double span = s.hi.back() - s.hi.front();
    const double xmin = s.classes ? s.lo.front() : std::max(0.0, s.hi.front() - 0.05 * span);
    const double xmax = s.classes ? s.hi.back() : s.hi.back() + 0.05 * span;
    auto X = [&](double x) { return kLeft + (x - xmin) * (kRight - kLeft) / (xmax - xmin); };
    auto Y = [&](double F) { return kBottom - std::clamp(F, 0.0, 1.0) * (kBottom - kTop); };
    auto xAt = [&](int column) { return xmin + (xmax - xmin) * (column - kLeft) / (kRight - kLeft); };
    p.setClipRect(kLeft, kTop, kRight - kLeft + 1, kBottom - kTop + 1);

    // The band: at each column the percentiles of the best law's curves over the resamples;
    // none where too many resamples could not be fitted for a d50 interval.
    const LawResult &best = r.law[r.best];
    std::vector<Params> boot;
    for (const Params &q : best.boot)
        if (std::isfinite(q[0]) && best.d50ci.valid())
            boot.push_back(q);
    if (!boot.empty()) {
        QPolygonF upper, lower;
        std::vector<double> F(boot.size());
        for (int c = kLeft; c <= kRight; ++c) {
            if (r.options.stop && r.options.stop->load(std::memory_order_relaxed))
                break; // a window gave up the fit; the chart is dropped
            for (size_t k = 0; k < boot.size(); ++k)
                F[k] = Cdf(r.best, boot[k], xAt(c));
            upper << QPointF(c, Y(Percentile(F, (1 + r.options.level) / 2)));
            lower.prepend(QPointF(c, Y(Percentile(F, (1 - r.options.level) / 2))));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(BandColor(r.best)));
        p.drawPolygon(upper + lower);
        p.setBrush(Qt::NoBrush);
    }

    // The curves, the best law's twice as wide.
    for (int law = 1; law <= kLaws; ++law) {
        const LawResult &l = r.law[law];
        if (!l.fit.ok)
            continue;
        QPolygonF curve;
        for (int c = kLeft; c <= kRight; ++c)
            curve << QPointF(c, Y(Cdf(law, l.fit.p, xAt(c))));
        p.setPen(QPen(QColor(LawColor(law)), law == r.best ? 2 : 0));
        p.drawPolyline(curve);
    }
    // The sample, weighted as it was fitted, over the curves that may hide it.
    double W = 0;
    for (int i = 0; i < s.cells(); ++i)
        W += s.count[size_t(i)] * s.unit[size_t(i)];
    p.setPen(QPen(QColor(kSampleColor), 0));
    QPainterPath steps(QPointF(X(s.classes ? s.lo.front() : xmin), Y(0)));
    double cum = 0;
    for (int i = 0; i < s.cells(); ++i) {
        const double x = X(s.hi[size_t(i)]);
        if (!s.classes)
            steps.lineTo(x, Y(cum / W));
        cum += s.count[size_t(i)] * s.unit[size_t(i)];
        steps.lineTo(x, Y(cum / W));
        if (s.classes)
            p.drawRect(QRectF(x - 2, Y(cum / W) - 2, 4, 4));
    }
    if (!s.classes)
        steps.lineTo(X(xmax), Y(1));
    p.drawPath(steps);

    p.setClipping(false);

    p.setPen(Qt::black);
    p.drawRect(kLeft, kTop, kRight - kLeft, kBottom - kTop);
    p.drawText(
        90, 1, 500, 20, Qt::AlignLeft | Qt::AlignTop,
        QCoreApplication::translate("FitChart", "Интегральная кривая распределения (максимальное правдоподобие)"));
    p.drawText(5, 1, 100, 20, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("D(d) , %"));
    p.drawText(kRight + 50, kBottom + 5, 100, 20, Qt::AlignLeft | Qt::AlignTop,
               QCoreApplication::translate("FitChart", "d , мкм"));
    for (int j = 0; j <= 4; ++j) {
        const int y = int(std::lround(Y(j / 4.0)));
        p.drawLine(kLeft - 5, y, kLeft, y);
        p.drawText(5, y - 7, 60, 20, Qt::AlignLeft | Qt::AlignTop, numtext::Fixed3(25 * j, sep));
        const int x = kLeft + (kRight - kLeft) * j / 4;
        p.drawLine(x, kBottom, x, kBottom + 5);
        p.drawText(x, kBottom + 5, 100, 20, Qt::AlignLeft | Qt::AlignTop,
                   numtext::Fixed3(xmin + (xmax - xmin) * j / 4, sep));
    }

    // The legend.
    int y = kTop + 10;
    // A name wider than the column (a longer language) breaks after a hyphen onto more lines.
    auto text = [&](const QString &t) {
        if (p.fontMetrics().horizontalAdvance(t) <= 120) {
            p.drawText(kLegend + 25, y, 120, 20, Qt::AlignLeft | Qt::AlignTop, t);
            return 0;
        }
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const QRect box = p.boundingRect(kLegend + 25, y, 120, 80, flags, t);
        p.drawText(box, flags, t);
        return box.height() - p.fontMetrics().height();
    };
    auto entry = [&](const QString &name, const QPen &pen) {
        p.setPen(pen);
        p.drawLine(kLegend, y + 7, kLegend + 20, y + 7);
        p.setPen(Qt::black);
        y += 18 + text(name);
    };
    auto T = [](const char *name) { return QCoreApplication::translate("FitChart", name); };
    entry(T(kLegendName[0]), QPen(QColor(kSampleColor), 0));
    for (int law = 1; law <= kLaws; ++law)
        if (r.law[law].fit.ok)
            entry(T(kLegendName[law]), QPen(QColor(LawColor(law)), law == r.best ? 2 : 0));
    if (!boot.empty()) {
        p.fillRect(kLegend, y + 2, 20, 10, QColor(BandColor(r.best)));
        text(QCoreApplication::translate("FitChart", "интервал %1 %")
                 .arg(numtext::FormatGeneral(r.options.level * 100, sep, 6)));
    }
    return img;
}

} // namespace mle
