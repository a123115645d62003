#include "analysis/FitReport.h"
#include "analysis/FitChart.h"
#include "base/NumberForms.h"

namespace mle {

namespace {

struct LawText {
    const char *title, *p0, *p1, *best;
};

// Parameter names as the statistics report writes them: the log-normal mean and deviation
// of ln d are its ln(d50) and ln(S), the normal mean its d50.
const LawText kLaw[] = {
    {},
    {"Закон Годена-Андреева F(d)=(d/a)^l", "a=", "l=", "закон Годена-Андреева"},
    {"Закон Розина-Раммлера F(d)=1-exp(-(d/b)^a)", "a=", "b=", "закон Розина-Раммлера"},
    {"Нормальный закон", "d50=", "S=", "нормальный закон"},
    {"Логарифмически нормальный закон", "ln(d50)=", "ln(S)=", "логарифмически нормальный закон"},
};

} // namespace

QStringList ReportLines(const Result &r, QChar sep)
{
    auto V = [sep](double v) { return numtext::Fixed3(v, sep); };
    auto G = [sep](double v) { return numtext::FormatGeneral(v, sep, 15); };
    auto T = [](const char *text) { return QString::fromUtf8(text); };
    QStringList out;
    out << QStringLiteral("Законы распределения по методу максимального правдоподобия");
    out << (r.byVolume ? QStringLiteral("По объему частиц") : QStringLiteral("По числу частиц")) +
               (r.classes ? QStringLiteral(", по классам") : QString()) + QStringLiteral(", n=") + G(r.particles);
    const int B = r.options.resamples;
    if (B > 0)
        out << QStringLiteral("Доверительные интервалы %1 % по %2 выборкам бутстрепа")
                   .arg(G(r.options.level * 100))
                   .arg(B);
    for (int law = 1; law <= kLaws; ++law) {
        const LawResult &l = r.law[law];
        out << QString() << T(kLaw[law].title);
        if (!l.fit.ok) {
            out << l.error.Russian();
            continue;
        }
        out << T(kLaw[law].p0) + V(l.fit.p[0]) << T(kLaw[law].p1) + V(l.fit.p[1]);
        QString median = QStringLiteral("Медианный диаметр d50=") + V(l.fit.d50) + QStringLiteral(" мкм");
        if (l.d50ci.valid())
            median += QStringLiteral(", интервал от ") + V(l.d50ci.lo) + QStringLiteral(" до ") + V(l.d50ci.hi) +
                      QStringLiteral(" мкм");
        out << median;
        if (l.failed > 0)
            out << QStringLiteral("На %1 из %2 выборок закон не подбирается: %3")
                       .arg(l.failed)
                       .arg(B)
                       .arg(l.d50ci.valid() ? QStringLiteral("интервал допускает на них любое значение")
                                            : QStringLiteral("интервала нет"));
        out << QStringLiteral("ln L=") + numtext::FormatFixed(l.loglik, 7, 1, sep) + QStringLiteral(", AIC=") +
                   numtext::FormatFixed(l.aic, 7, 1, sep) + QStringLiteral(", KS=") + V(l.ks);
    }
    out << QString() << QStringLiteral("Наименьший AIC: ") + T(kLaw[r.best].best);
    if (std::isfinite(r.relHalfWidth)) {
        out << QStringLiteral("Полуширина интервала d50: ±") + numtext::FormatFixed(r.relHalfWidth * 100, 3, 1, sep) +
                   QStringLiteral(" %");
        out << QStringLiteral("для d50 с точностью ±5 % нужно около ") + G(r.nFor5pct) + QStringLiteral(" частиц");
    }
    return out;
}

Section RunFit(const TSampleData &data, bool byVolume, bool classes, const Options &o, QChar sep)
{
    Section out;
    try {
        const Sample s = Prepare(data, byVolume, classes);
        const Result r = FitSample(s, o);
        out.lines = ReportLines(r, sep);
        out.picture = DrawFitChart(s, r, sep);
    } catch (const FitError &e) {
        out.message = e.Russian();
    }
    return out;
}

} // namespace mle
