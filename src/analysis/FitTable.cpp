#include "analysis/FitTable.h"
#include "base/NumberForms.h"

#include <cmath>

namespace mle {

QStringList TableLines(const Result &r, QChar sep)
{
    QStringList out;
    auto V = [sep](double v) { return std::isfinite(v) ? numtext::FormatGeneral(v, sep, 10) : QStringLiteral("-"); };
    const QChar tab = QLatin1Char('\t');
    out << QStringLiteral("n\t") + V(r.particles);
    out << QStringLiteral("by\t") + (r.byVolume ? "volume" : "number");
    out << QStringLiteral("fit\t") + (r.classes ? "classes" : "rows");
    out << QStringLiteral("law\tname\tparam1\tparam1_lo\tparam1_hi\tparam2\tparam2_lo\tparam2_hi\t"
                          "d50\td50_lo\td50_hi\tloglik\taic\tks");
    for (int law = 1; law <= kLaws; ++law) {
        const LawResult &l = r.law[law];
        const double nan = std::nan("");
        QString line = QString::number(law) + tab + QLatin1String(LawName(law));
        for (int k = 0; k < 2; ++k)
            line += tab + V(l.fit.ok ? l.fit.p[size_t(k)] : nan) + tab + V(l.pci[k].lo) + tab + V(l.pci[k].hi);
        line += tab + V(l.fit.ok ? l.fit.d50 : nan) + tab + V(l.d50ci.lo) + tab + V(l.d50ci.hi);
        line += tab + V(l.loglik) + tab + V(l.aic) + tab + V(l.ks);
        out << line;
    }
    out << QStringLiteral("best\t%1\t%2").arg(r.best).arg(QLatin1String(LawName(r.best)));
    out << QStringLiteral("d50_rel_halfwidth\t") + V(r.relHalfWidth);
    out << QStringLiteral("n_for_5pct\t") + V(r.nFor5pct);
    return out;
}

} // namespace mle
