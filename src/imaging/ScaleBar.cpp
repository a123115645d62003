#include "imaging/ScaleBar.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPainter>
#include <cmath>

namespace scalebar {

Length LengthFor(double kpix)
{
    Length r;
    const long double p = 1.0L / kpix;
    if (!(kpix > 0) || !std::isfinite(p))
        return r;
    long double L = 1.0L;
    long double n = std::nearbyint(p);
    // The direction follows n, so the loop ends for every coefficient (with p in (10, 10.5]
    // choosing it by p would shrink L forever); the guard only protects against the absurd.
    for (int guard = 0; (n >= 111 || n <= 10) && guard < 4000; ++guard) {
        L = n >= 111 ? 0.1L * L : 10 * L;
        n = std::nearbyint(p * L);
    }
    if (n >= 111 || n <= 10)
        return r;
    r.n = int(n);
    r.L = L;
    return r;
}

QImage DrawCalibrate(double kpix, QChar sep)
{
    QImage bar(200, 20, QImage::Format_RGBX8888);
    bar.fill(Qt::white);
    const Length len = LengthFor(kpix);
    if (len.n == 0)
        return bar;
    QPainter p(&bar);
    p.setPen(Qt::black);
    for (int d = 1; d <= len.n; ++d)
        p.drawLine(d + 10, 7, d + 10, 13);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(13);
    p.setFont(f);
    p.drawText(QRect(150, 2, 200, 40), Qt::AlignLeft | Qt::AlignTop,
               numtext::FormatGeneral(double(len.L), sep) + QCoreApplication::translate("ScaleBar", " мкм"));
    return bar;
}

QString DateText(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

void Stamp(QImage &picture, const QImage &bar, const QString &date, const QString &fileName)
{
    const int H = picture.height();
    QPainter p(&picture);
    p.drawImage(0, H - 20, bar);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::black);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    p.drawText(QRect(220, H - 17, 2000, 40), Qt::AlignLeft | Qt::AlignTop, date);
    p.drawText(QRect(300, H - 17, 4000, 40), Qt::AlignLeft | Qt::AlignTop, fileName);
}

} // namespace scalebar

namespace zoom {

QSize ZoomIn(QSize s)
{
    const qint64 w = qint64(s.width()) * 2, h = qint64(s.height()) * 2;
    if (w > 1 << 20 || h > 1 << 20) // beyond any screen: stay
        return s;
    return QSize(int(w), int(h));
}

QSize ZoomOut(QSize s)
{
    return QSize(std::max(1, s.width() / 2), std::max(1, s.height() / 2));
}

QSize StretchWidth(QSize picture, int scrollWidth)
{
    const int w = std::max(1, scrollWidth - 20);
    const double ratio = double(picture.width()) / picture.height();
    return QSize(w, std::max(1, int(std::nearbyint(w / ratio))));
}

QSize StretchHeight(QSize picture, int scrollHeight)
{
    const int h = std::max(1, scrollHeight - 20);
    const double ratio = double(picture.width()) / picture.height();
    return QSize(std::max(1, int(std::nearbyint(h * ratio))), h);
}

int ToPicture(int v, double zoomFactor)
{
    return zoomFactor > 0 ? int(std::nearbyint(v / zoomFactor)) : 0;
}

} // namespace zoom
