#include "imaging/ParticleReport.h"
#include "samples/SampleData.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace particles {

namespace {

// Ten significant digits: more than any measure holds, none of the noise of the last bits.
void Number(QByteArray &out, double v)
{
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
    out.append(buf, int(res.ptr - buf));
}

} // namespace

double ValueOf(const Particle &p, Measure m, double kpix)
{
    switch (m) {
    case Measure::Area: return double(p.area) * kpix * kpix;
    case Measure::Perimeter: return p.perimeter * kpix;
    case Measure::FeretMax: return p.feretMax * kpix;
    case Measure::FeretMin: return p.feretMin * kpix;
    case Measure::Ecd: break;
    }
    return p.ecd * kpix;
}

QByteArray CsvHeader()
{
    return "id,x,y,area_px,area,ecd,perimeter,feret_max,feret_min,feret_angle,aspect,circularity,touches_border\r\n";
}

void AppendCsvNumber(QByteArray &out, double v) { Number(out, v); }

QByteArray CsvField(const QString &text)
{
    QByteArray f = text.toUtf8();
    if (f.contains(',') || f.contains('"') || f.contains('\r') || f.contains('\n'))
        f = '"' + f.replace('"', "\"\"") + '"';
    return f;
}

void AppendCsvRows(QByteArray &out, const std::vector<Particle> &list, double kpix, const QByteArray &lead)
{
    out.reserve(out.size() + int(list.size()) * (120 + lead.size()));
    for (const Particle &p : list) {
        out += lead;
        out += QByteArray::number(p.id);
        for (const double v : {p.x, p.y}) {
            out += ',';
            Number(out, v);
        }
        out += ',';
        out += QByteArray::number(p.area);
        for (const double v : {ValueOf(p, Measure::Area, kpix), ValueOf(p, Measure::Ecd, kpix),
                               ValueOf(p, Measure::Perimeter, kpix), ValueOf(p, Measure::FeretMax, kpix),
                               ValueOf(p, Measure::FeretMin, kpix), p.feretAngle, p.aspect, p.circularity}) {
            out += ',';
            Number(out, v);
        }
        out += p.touchesBorder ? ",1\r\n" : ",0\r\n";
    }
}

QByteArray Csv(const std::vector<Particle> &list, double kpix)
{
    QByteArray out = CsvHeader();
    AppendCsvRows(out, list, kpix);
    return out;
}

double Quantile(const std::vector<double> &sorted, double q)
{
    if (sorted.empty())
        return NAN;
    const double h = (double(sorted.size()) - 1) * std::clamp(q, 0.0, 1.0);
    const size_t lo = size_t(std::floor(h));
    const size_t hi = std::min(lo + 1, sorted.size() - 1);
    return sorted[lo] + (h - double(lo)) * (sorted[hi] - sorted[lo]);
}

Percentiles EcdPercentiles(const std::vector<Particle> &list, double kpix)
{
    std::vector<double> d;
    d.reserve(list.size());
    for (const Particle &p : list)
        d.push_back(ValueOf(p, Measure::Ecd, kpix));
    std::sort(d.begin(), d.end());
    return {Quantile(d, 0.1), Quantile(d, 0.5), Quantile(d, 0.9)};
}

int ToSample(const std::vector<Particle> &list, Measure m, double kpix, TSampleData &out)
{
    SampleCounts counts;
    counts.Add(list, m, kpix);
    return counts.ToSample(out);
}

void SampleCounts::Add(const std::vector<Particle> &list, Measure m, double kpix)
{
    // Values that store alike are one size of the sample.
    for (const Particle &p : list) {
        const long double v = Real48ToExt(ExtToReal48((long double)ValueOf(p, m, kpix)));
        if (Limit < 0 || (long long)Counts.size() < Limit)
            ++Counts[v];
        else if (const auto it = Counts.find(v); it != Counts.end())
            ++it->second;
        else
            Dropped = true;
    }
}

int SampleCounts::ToSample(TSampleData &out) const
{
    long long rows = Dropped ? 1 : 0;
    for (const auto &c : Counts)
        rows += (c.second + 65534) / 65535;
    if (rows > TSampleData::Capacity)
        return int(std::min<long long>(rows, 1LL << 30));
    out.Count = 0;
    for (const auto &c : Counts)
        for (long long left = c.second; left > 0; left -= 65535) {
            out.SetSize(out.Count, c.first);
            out.N[out.Count] = uint16_t(std::min<long long>(left, 65535));
            ++out.Count;
        }
    return int(rows);
}

namespace {

// Draws the outlines and ids on `out`, RGBX8888 or RGBA8888 of the result's size.
void DrawMarks(QImage &out, const Result &result)
{
    const int W = result.width, H = result.height;
    if (out.width() != W || out.height() != H || result.labels.size() != size_t(W) * size_t(H))
        return;
    // Outlines: the particle's pixels next to any pixel not its own.
    const int32_t *lab = result.labels.data();
    const uint32_t red = 0xFF0000FFu; // bytes R, G, B, X
    for (int y = 0; y < H; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(out.scanLine(y));
        const int32_t *l = lab + size_t(y) * size_t(W);
        for (int x = 0; x < W; ++x) {
            const int32_t id = l[x];
            if (!id)
                continue;
            if (x == 0 || x == W - 1 || y == 0 || y == H - 1 || l[x - 1] != id || l[x + 1] != id
                || l[x - W] != id || l[x + W] != id)
                row[x] = red;
        }
    }
    if (result.particles.empty())
        return;
    // Ids at the centroids, yellow edged in black so they read on any ground, about half
    // as high as a typical particle is wide.
    std::vector<double> ecd;
    for (const Particle &p : result.particles)
        ecd.push_back(p.ecd);
    std::nth_element(ecd.begin(), ecd.begin() + long(ecd.size() / 2), ecd.end());
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::clamp(int(std::lround(ecd[ecd.size() / 2] / 2)), 7, 14));
    QPainterPath path;
    const QFontMetrics metrics(font);
    for (const Particle &p : result.particles) {
        const QString text = QString::number(p.id);
        const QPointF at(p.x - metrics.horizontalAdvance(text) / 2.0, p.y + metrics.ascent() / 2.0 - 1);
        path.addText(at, font, text);
    }
    painter.setPen(QPen(Qt::black, font.pixelSize() / 4.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 0));
    painter.drawPath(path);
}

} // namespace

QImage Overlay(const QImage &picture, const Result &result)
{
    QImage out = picture.convertToFormat(QImage::Format_RGBX8888);
    DrawMarks(out, result);
    return out;
}

QImage Marks(const Result &result)
{
    QImage out(result.width, result.height, QImage::Format_RGBA8888);
    if (out.isNull())
        return out;
    out.fill(Qt::transparent);
    DrawMarks(out, result);
    return out;
}

QImage Highlight(const Result &result, int id, QPoint &at)
{
    at = QPoint();
    if (id < 1 || size_t(id) > result.particles.size() || result.labels.size() != size_t(result.width) * size_t(result.height))
        return QImage();
    const Particle &p = result.particles[size_t(id - 1)];
    QImage out(p.right - p.left + 1, p.bottom - p.top + 1, QImage::Format_RGBA8888);
    out.fill(Qt::transparent);
    const uint32_t cyan = 0xB0FFFF00u; // bytes R, G, B, A
    for (int y = p.top; y <= p.bottom; ++y) {
        const int32_t *l = result.labels.data() + size_t(y) * size_t(result.width);
        auto *row = reinterpret_cast<uint32_t *>(out.scanLine(y - p.top));
        for (int x = p.left; x <= p.right; ++x)
            if (l[x] == id)
                row[x - p.left] = cyan;
    }
    at = QPoint(p.left, p.top);
    return out;
}

} // namespace particles
