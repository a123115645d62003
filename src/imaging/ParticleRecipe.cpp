#include "imaging/ParticleRecipe.h"
#include "base/NumberForms.h"
#include "imaging/Pictures.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <set>

namespace particles {

namespace {

const char *const kMeasures[] = {"ecd", "area", "perimeter", "feret-max", "feret-min"};

bool ParseCount(const QString &text, long long lo, long long hi, long long &out)
{
    bool ok = false;
    const long long v = text.toLongLong(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

// Numbers in options always take '.'.
bool ParsePositive(const QString &text, double &out)
{
    long double v = 0;
    if (!numtext::ReadNumber(text, QLatin1Char('.'), v) || !(v > 0) || !std::isfinite(double(v)))
        return false;
    out = double(v);
    return true;
}

QString Shortest(double v)
{
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

// With `line`, the words of a recipe file and the line of each: an option's values must stand
// on its line, and every word belongs to an option.
bool Parse(const QStringList &words, const std::vector<int> *line, Recipe &r, QStringList &rest, QString &why,
           int &at)
{
    std::set<QString> seen;
    int splitAt = -1;
    for (int i = 0; i < words.size(); ++i) {
        at = i;
        const QString &w = words[i];
        if (!w.startsWith(QLatin1String("--"))) {
            if (line) {
                why = QStringLiteral("\"%1\" is not an option").arg(w);
                return false;
            }
            rest << w;
            continue;
        }
        // The values an option takes, from its own line only.
        QStringList own = words;
        if (line) {
            int end = i;
            while (end + 1 < words.size() && (*line)[size_t(end + 1)] == (*line)[size_t(i)])
                ++end;
            own = words.mid(0, end + 1);
        }
        if (pictures::IsOperation(w)) {
            pictures::Operation op;
            if (!pictures::ParseOperation(own, i, op, why))
                return false;
            r.ops.push_back(op);
            continue;
        }
        if (!seen.insert(w).second) {
            why = w + QStringLiteral(" is given twice");
            return false;
        }
        Options &o = r.options;
        if (w == QLatin1String("--fill-holes")) {
            o.fillHoles = true;
            continue;
        }
        if (w == QLatin1String("--exclude-border")) {
            o.excludeBorder = true;
            continue;
        }
        if (w == QLatin1String("--separate")) {
            o.separate = true;
            continue;
        }
        static const QStringList withValue = {"--threshold", "--objects",    "--min-area", "--split",
                                              "--connectivity", "--kpix", "--measure"};
        if (!withValue.contains(w)) {
            static const QStringList outputs = {"--csv", "--overlay", "--sample"};
            why = line && outputs.contains(w) ? w + QStringLiteral(" is an output, not part of a recipe")
                                              : QStringLiteral("unknown option ") + w;
            return false;
        }
        if (i + 1 >= own.size()) {
            why = w + QStringLiteral(": value missing");
            return false;
        }
        const QString v = own[++i];
        if (w == QLatin1String("--threshold")) {
            long long p = -1;
            if (v != QLatin1String("otsu") && !ParseCount(v, pictures::BrightMin, pictures::BrightMax, p)) {
                why = QStringLiteral("--threshold takes otsu or a percentage from 0 to 100");
                return false;
            }
            o.thresholdPercent = int(p);
        } else if (w == QLatin1String("--objects")) {
            if (v != QLatin1String("dark") && v != QLatin1String("light")) {
                why = QStringLiteral("--objects takes dark or light");
                return false;
            }
            o.objects = v == QLatin1String("light") ? Objects::Light : Objects::Dark;
        } else if (w == QLatin1String("--min-area")) {
            if (!ParseCount(v, 0, 1LL << 40, o.minArea)) {
                why = QStringLiteral("--min-area takes a number of pixels");
                return false;
            }
        } else if (w == QLatin1String("--split")) {
            splitAt = i - 1;
            if (!ParsePositive(v, o.splitDepth)) {
                why = QStringLiteral("--split takes a positive depth in pixels");
                return false;
            }
        } else if (w == QLatin1String("--connectivity")) {
            if (v != QLatin1String("4") && v != QLatin1String("8")) {
                why = QStringLiteral("--connectivity takes 4 or 8");
                return false;
            }
            o.connectivity = v.toInt();
        } else if (w == QLatin1String("--kpix")) {
            if (!ParsePositive(v, r.kpix)) {
                why = QStringLiteral("--kpix takes a positive number");
                return false;
            }
        } else {
            int k = 0;
            while (k < 5 && v != QLatin1String(kMeasures[k]))
                ++k;
            if (k == 5) {
                why = QStringLiteral("--measure takes ecd, area, perimeter, feret-max or feret-min");
                return false;
            }
            r.measure = Measure(k);
        }
    }
    if (splitAt >= 0 && !r.options.separate) {
        at = splitAt;
        why = QStringLiteral("--split needs --separate");
        return false;
    }
    return true;
}

} // namespace

bool ParseRecipe(const QStringList &words, Recipe &recipe, QStringList &rest, QString &why, int &at)
{
    return Parse(words, nullptr, recipe, rest, why, at);
}

bool ReadRecipe(const QString &text, Recipe &recipe, QString &error)
{
    QStringList words;
    std::vector<int> line, column;
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int l = 0; l < lines.size(); ++l) {
        const QStringList own = lines[l].section(QLatin1Char('#'), 0, 0).split(blanks, Qt::SkipEmptyParts);
        for (int k = 0; k < own.size(); ++k) {
            words << own[k];
            line.push_back(l + 1);
            column.push_back(k + 1);
        }
    }
    QStringList rest;
    QString why;
    int at = 0;
    if (Parse(words, &line, recipe, rest, why, at))
        return true;
    error = QStringLiteral("line %1, word %2: %3").arg(line[size_t(at)]).arg(column[size_t(at)]).arg(why);
    return false;
}

QStringList RecipeWords(const Recipe &r)
{
    QStringList w;
    for (const pictures::Operation &op : r.ops)
        w << pictures::Words(op);
    const Options &o = r.options;
    w << QStringLiteral("--threshold")
      << (o.thresholdPercent < 0 ? QStringLiteral("otsu") : QString::number(o.thresholdPercent));
    w << QStringLiteral("--objects") << (o.objects == Objects::Light ? QStringLiteral("light") : QStringLiteral("dark"));
    if (o.fillHoles)
        w << QStringLiteral("--fill-holes");
    if (o.excludeBorder)
        w << QStringLiteral("--exclude-border");
    w << QStringLiteral("--min-area") << QString::number(o.minArea);
    if (o.separate)
        w << QStringLiteral("--separate") << QStringLiteral("--split") << Shortest(o.splitDepth);
    w << QStringLiteral("--connectivity") << QString::number(o.connectivity == 4 ? 4 : 8);
    w << QStringLiteral("--kpix") << Shortest(r.kpix);
    w << QStringLiteral("--measure") << QLatin1String(kMeasures[int(r.measure)]);
    return w;
}

} // namespace particles
