#include "widgets/Glyphs.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

QIcon TextGlyph(const QString &text, const QColor &color)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(text.size() > 2 ? 8 : 12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, text);
    return QIcon(pm);
}

namespace {

const QColor kInk(46, 52, 54);
const QColor kPaper(250, 250, 248);

// A sheet with a folded corner, its outline in ink.
void Page(QPainter &p, const QRectF &r)
{
    QPainterPath sheet;
    const qreal fold = r.width() * 0.3;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void Box(QPainter &p, const QRectF &r, const QColor &fill, const QColor &line = kInk)
{
    p.setPen(QPen(line, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void Lines(QPainter &p, qreal x0, qreal x1, qreal y0, int n)
{
    p.setPen(QPen(QColor(136, 138, 133), 1.2));
    for (int i = 0; i < n; ++i)
        p.drawLine(QPointF(x0, y0 + 3 * i), QPointF(x1, y0 + 3 * i));
}

void Plus(QPainter &p, QPointF c, qreal half, const QColor &colour)
{
    p.setPen(QPen(colour, half * 0.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - QPointF(half, 0), c + QPointF(half, 0));
    p.drawLine(c - QPointF(0, half), c + QPointF(0, half));
}

void Folder(QPainter &p)
{
    p.setPen(QPen(QColor(143, 89, 2), 1.2));
    p.setBrush(QColor(233, 185, 110));
    p.drawRoundedRect(QRectF(2.5, 5.5, 19, 14), 1.5, 1.5);
    p.drawRect(QRectF(2.5, 4, 7, 2.5));
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(5.5, 10);
    front.lineTo(22.5, 10);
    front.lineTo(21.5, 19.5);
    front.closeSubpath();
    p.setBrush(QColor(252, 233, 79));
    p.drawPath(front);
}

// A shape and its mirror image across a dashed vertical axis.
void Mirror(QPainter &p)
{
    p.setPen(QPen(kInk, 1.2, Qt::DashLine));
    p.drawLine(QPointF(12, 2), QPointF(12, 22));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(10, 5), QPointF(10, 19), QPointF(3, 19)}));
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({QPointF(14, 5), QPointF(14, 19), QPointF(21, 19)}));
}

// Each drawing on a 24 x 24 canvas.
const QHash<QString, std::function<void(QPainter &)>> &Drawings()
{
    static const QHash<QString, std::function<void(QPainter &)>> drawings = {
        {QStringLiteral("document-new"),
         [](QPainter &p) {
             Page(p, QRectF(4.5, 2.5, 14, 19));
             Plus(p, QPointF(17, 17), 4.5, QColor(78, 154, 6));
         }},
        {QStringLiteral("document-open"), [](QPainter &p) { Folder(p); }},
        {QStringLiteral("grizal-open-add"),
         [](QPainter &p) {
             Folder(p);
             Plus(p, QPointF(17, 6), 4, QColor(78, 154, 6));
         }},
        {QStringLiteral("document-save"),
         [](QPainter &p) {
             Box(p, QRectF(3.5, 3.5, 17, 17), QColor(52, 101, 164), QColor(32, 74, 135));
             p.setBrush(kPaper);
             p.drawRect(QRectF(6.5, 3.5, 11, 7));
             p.setBrush(QColor(186, 189, 182));
             p.drawRect(QRectF(7.5, 14.5, 9, 6));
         }},
        {QStringLiteral("edit-cut"),
         [](QPainter &p) {
             p.setPen(QPen(QColor(85, 87, 83), 1.6, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(7, 3), QPointF(15.5, 15));
             p.drawLine(QPointF(17, 3), QPointF(8.5, 15));
             p.setPen(QPen(QColor(204, 0, 0), 1.8));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(7, 18), 3.2, 3.2);
             p.drawEllipse(QPointF(17, 18), 3.2, 3.2);
         }},
        {QStringLiteral("edit-copy"),
         [](QPainter &p) {
             Page(p, QRectF(2.5, 2.5, 12, 15));
             Lines(p, 5, 10, 8, 3);
             Page(p, QRectF(9.5, 6.5, 12, 15));
             Lines(p, 12, 18.5, 12, 3);
         }},
        {QStringLiteral("edit-paste"),
         [](QPainter &p) {
             Box(p, QRectF(3.5, 3.5, 14, 18), QColor(193, 125, 17), QColor(143, 89, 2));
             Box(p, QRectF(7.5, 1.5, 6, 4), QColor(186, 189, 182));
             Page(p, QRectF(9.5, 8.5, 12, 14));
             Lines(p, 12, 18.5, 14, 3);
         }},
        {QStringLiteral("scanner"),
         [](QPainter &p) {
             Box(p, QRectF(2.5, 9.5, 19, 9), QColor(211, 215, 207));
             p.setBrush(QColor(136, 138, 133));
             p.drawRect(QRectF(2.5, 7.5, 19, 2));
             p.setPen(QPen(QColor(114, 159, 207), 2));
             p.drawLine(QPointF(5, 13), QPointF(19, 13));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(78, 154, 6));
             p.drawEllipse(QPointF(18, 16.5), 1, 1);
         }},
        {QStringLiteral("accessories-calculator"),
         [](QPainter &p) {
             Box(p, QRectF(4.5, 2.5, 15, 19), QColor(186, 189, 182));
             p.setBrush(QColor(138, 226, 52));
             p.drawRect(QRectF(6.5, 4.5, 11, 4));
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             for (int r = 0; r < 3; ++r)
                 for (int c = 0; c < 3; ++c)
                     p.drawRect(QRectF(7 + 3.7 * c, 10.5 + 3.5 * r, 2.4, 2.2));
         }},
        {QStringLiteral("help-about"),
         [](QPainter &p) {
             p.setPen(QPen(QColor(32, 74, 135), 1.2));
             p.setBrush(QColor(52, 101, 164));
             p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
             p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(12, 11), QPointF(12, 17));
             p.drawPoint(QPointF(12, 7));
         }},
        {QStringLiteral("list-add"), [](QPainter &p) { Plus(p, QPointF(12, 12), 7, QColor(78, 154, 6)); }},
        {QStringLiteral("list-remove"),
         [](QPainter &p) {
             p.setPen(QPen(QColor(204, 0, 0), 5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(5, 12), QPointF(19, 12));
         }},
        // "Ручные измерения": a ruler under the cross-hairs of a sight.
        {QStringLiteral("grizal-manual-measure"),
         [](QPainter &p) {
             Box(p, QRectF(1.5, 15.5, 21, 6), QColor(252, 233, 79), QColor(196, 160, 0));
             p.setPen(QPen(kInk, 1));
             for (int i = 0; i < 6; ++i)
                 p.drawLine(QPointF(4 + 3.2 * i, 15.5), QPointF(4 + 3.2 * i, i % 2 ? 17.5 : 19));
             p.setPen(QPen(QColor(204, 0, 0), 1.4));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(12, 7.5), 5, 5);
             p.drawLine(QPointF(12, 0.5), QPointF(12, 5));
             p.drawLine(QPointF(12, 10), QPointF(12, 14.5));
             p.drawLine(QPointF(5, 7.5), QPointF(9.5, 7.5));
             p.drawLine(QPointF(14.5, 7.5), QPointF(19, 7.5));
         }},
        // "Дублировать выделение": a dashed selection and its copy laid over it.
        {QStringLiteral("grizal-duplicate-selection"),
         [](QPainter &p) {
             QPen dashes(kInk, 1.6);
             dashes.setDashPattern({2, 1.5});
             p.setBrush(Qt::NoBrush);
             p.setPen(dashes);
             p.drawRect(QRectF(2, 2, 12, 12));
             dashes.setColor(QColor(32, 74, 135));
             p.setPen(dashes);
             p.setBrush(QColor(114, 159, 207));
             p.drawRect(QRectF(9, 9, 13, 13));
             Plus(p, QPointF(15.5, 15.5), 3, Qt::white);
         }},
        {QStringLiteral("object-flip-horizontal"), [](QPainter &p) { Mirror(p); }},
        {QStringLiteral("object-flip-vertical"),
         [](QPainter &p) {
             p.translate(12, 12);
             p.rotate(90);
             p.translate(-12, -12);
             Mirror(p);
         }},
        {QStringLiteral("x-office-spreadsheet"),
         [](QPainter &p) {
             Page(p, QRectF(4.5, 2.5, 15, 19));
             p.setPen(QPen(QColor(78, 154, 6), 1));
             for (int i = 0; i < 4; ++i)
                 p.drawLine(QPointF(7, 9.5 + 3 * i), QPointF(17, 9.5 + 3 * i));
             for (qreal x : {7.0, 12.0, 17.0})
                 p.drawLine(QPointF(x, 9.5), QPointF(x, 18.5));
         }},
        {QStringLiteral("x-office-document"),
         [](QPainter &p) {
             Page(p, QRectF(4.5, 2.5, 15, 19));
             Lines(p, 7, 17, 9, 4);
         }},
        {QStringLiteral("grizal-generate"),
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1.2));
             p.drawLine(QPointF(2.5, 21.5), QPointF(21.5, 21.5));
             p.setBrush(QColor(114, 159, 207));
             const qreal heights[] = {3, 8, 14, 10, 5};
             for (int i = 0; i < 5; ++i)
                 p.drawRect(QRectF(3.5 + 3.6 * i, 21.5 - heights[i], 3, heights[i]));
             QPainterPath bell;
             bell.moveTo(2, 20);
             bell.cubicTo(8, 20, 9, 3, 12.5, 3);
             bell.cubicTo(16, 3, 17, 20, 22, 20);
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(204, 0, 0), 1.5));
             p.drawPath(bell);
         }},
        // A cumulative curve fitted to the steps of a sample, in its interval band.
        {QStringLiteral("grizal-fit"),
         [](QPainter &p) {
             auto curve = [](qreal dy) {
                 QPainterPath c;
                 c.moveTo(3, 20.5 + dy);
                 c.cubicTo(11, 20.5 + dy, 11, 3.5 + dy, 21, 3.5 + dy);
                 return c;
             };
             QPainterPath band = curve(-2.5);
             band.connectPath(curve(2.5).toReversed());
             band.closeSubpath();
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(114, 159, 207, 120));
             p.drawPath(band);
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(204, 0, 0), 1.2));
             p.drawPolyline(QPolygonF({QPointF(3, 20.5), QPointF(7, 20.5), QPointF(7, 17), QPointF(10, 17),
                                       QPointF(10, 11), QPointF(13, 11), QPointF(13, 7), QPointF(16, 7),
                                       QPointF(16, 4.5), QPointF(21, 4.5)}));
             p.setPen(QPen(QColor(32, 74, 135), 1.6));
             p.drawPath(curve(0));
             p.setPen(QPen(kInk, 1.2));
             p.drawLine(QPointF(2.5, 2), QPointF(2.5, 21.5));
             p.drawLine(QPointF(2.5, 21.5), QPointF(22, 21.5));
         }},
    };
    return drawings;
}

} // namespace

QIcon DrawnIcon(const QString &themeName)
{
    const auto draw = Drawings().value(themeName);
    if (!draw)
        return QIcon();
    QIcon icon;
    for (int size : {16, 20, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        draw(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon StandardIcon(const QString &themeName)
{
    return QIcon::fromTheme(themeName, DrawnIcon(themeName));
}
