#include "widgets/Glyphs.h"

#include <QPainter>
#include <QPixmap>

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
