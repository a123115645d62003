#include "analysis/FitReport.h"
#include "analysis/FitChart.h"
#include "base/NumberForms.h"

#include <QCoreApplication>

namespace mle {

namespace {

struct LawText {
    const char *title, *p0, *p1, *best;
};

// Parameter names as the statistics report writes them: the log-normal mean and deviation
// of ln d are its ln(d50) and ln(S), the normal mean its d50.
const LawText kLaw[] = {
    {},
    {QT_TRANSLATE_NOOP("FitReport", "Закон Годена-Андреева F(d)=(d/a)^l"), "a=", "l=",
     QT_TRANSLATE_NOOP("FitReport", "закон Годена-Андреева")},
    {QT_TRANSLATE_NOOP("FitReport", "Закон Розина-Раммлера F(d)=1-exp(-(d/b)^a)"), "a=", "b=",
     QT_TRANSLATE_NOOP("FitReport", "закон Розина-Раммлера")},
    {QT_TRANSLATE_NOOP("FitReport", "Нормальный закон"), "d50=", "S=",
     QT_TRANSLATE_NOOP("FitReport", "нормальный закон")},
    {QT_TRANSLATE_NOOP("FitReport", "Логарифмически нормальный закон"), "ln(d50)=", "ln(S)=",
     QT_TRANSLATE_NOOP("FitReport", "логарифмически нормальный закон")},
};

QString T(const char *text) { return QCoreApplication::translate("FitReport", text); }

} // namespace

QStringList ReportLines(const Result &r, QChar sep)
{
    auto V = [sep](double v) { return numtext::Fixed3(v, sep); };
    auto G = [sep](double v) { return numtext::FormatGeneral(v, sep, 15); };
    QStringList out;
    out << T(QT_TRANSLATE_NOOP("FitReport", "Законы распределения по методу максимального правдоподобия"));
    out << (r.byVolume ? T(QT_TRANSLATE_NOOP("FitReport", "По объему частиц"))
                       : T(QT_TRANSLATE_NOOP("FitReport", "По числу частиц"))) +
               (r.classes ? T(QT_TRANSLATE_NOOP("FitReport", ", по классам")) : QString()) + QStringLiteral(", n=") +
               G(r.particles);
    const int B = r.options.resamples;
    if (B > 0)
        out << T(QT_TRANSLATE_NOOP("FitReport", "Доверительные интервалы %1 % по %2 выборкам бутстрепа"))
                   .arg(G(r.options.level * 100))
                   .arg(B);
    for (int law = 1; law <= kLaws; ++law) {
        const LawResult &l = r.law[law];
        out << QString() << T(kLaw[law].title);
        if (!l.fit.ok) {
            out << l.error.Shown();
            continue;
        }
        out << QString::fromLatin1(kLaw[law].p0) + V(l.fit.p[0]) << QString::fromLatin1(kLaw[law].p1) + V(l.fit.p[1]);
        QString median = T(QT_TRANSLATE_NOOP("FitReport", "Медианный диаметр d50=%1 мкм")).arg(V(l.fit.d50));
        if (l.d50ci.valid())
            median += T(QT_TRANSLATE_NOOP("FitReport", ", интервал от %1 до %2 мкм")).arg(V(l.d50ci.lo), V(l.d50ci.hi));
        out << median;
        if (l.failed > 0)
            out << T(QT_TRANSLATE_NOOP("FitReport", "На %1 из %2 выборок закон не подбирается: %3"))
                       .arg(l.failed)
                       .arg(B)
                       .arg(l.d50ci.valid()
                                ? T(QT_TRANSLATE_NOOP("FitReport", "интервал допускает на них любое значение"))
                                : T(QT_TRANSLATE_NOOP("FitReport", "интервала нет")));
        out << QStringLiteral("ln L=") + numtext::FormatFixed(l.loglik, 7, 1, sep) + QStringLiteral(", AIC=") +
                   numtext::FormatFixed(l.aic, 7, 1, sep) + QStringLiteral(", KS=") + V(l.ks);
    }
    out << QString() << T(QT_TRANSLATE_NOOP("FitReport", "Наименьший AIC: %1")).arg(T(kLaw[r.best].best));
    if (std::isfinite(r.relHalfWidth)) {
        out << T(QT_TRANSLATE_NOOP("FitReport", "Полуширина интервала d50: ±%1 %"))
                   .arg(numtext::FormatFixed(r.relHalfWidth * 100, 3, 1, sep));
        out << T(QT_TRANSLATE_NOOP("FitReport", "для d50 с точностью ±5 % нужно около %1 частиц")).arg(G(r.nFor5pct));
    }
    return out;
}

Section RunFit(const TSampleData &data, bool byVolume, bool classes, const Options &o, QChar sep)
{
    Section out;
    try {
        const Sample s = Prepare(data, byVolume, classes);
        const Result r = FitSample(s, o);
        if (o.stop && o.stop->load())
            return out; // incomplete; the caller drops it
        out.lines = ReportLines(r, sep);
        out.picture = DrawFitChart(s, r, sep);
    } catch (const FitError &e) {
        out.message = e.Shown();
    }
    return out;
}

} // namespace mle
