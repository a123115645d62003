#include "samples/RtfWriter.h"

#include <QBuffer>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace {

// Windows-1251 byte of a character for the fallback; 0 when it has none.
uchar Cp1251(char16_t c)
{
    if (c >= 0x0410 && c <= 0x044F)
        return uchar(0xC0 + (c - 0x0410));
    switch (c) {
    case 0x0401: return 0xA8; // Ё
    case 0x0451: return 0xB8; // ё
    case 0x2116: return 0xB9; // №
    case 0x00A0: return 0xA0;
    case 0x00B0: return 0xB0; // °
    case 0x00B1: return 0xB1; // ±
    case 0x00B5: return 0xB5; // µ
    case 0x00AB: return 0xAB; // «
    case 0x00BB: return 0xBB; // »
    case 0x2013: return 0x96;
    case 0x2014: return 0x97;
    default: return 0;
    }
}

} // namespace

void RtfWriter::Text(const QString &text)
{
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            body_ += '\\';
            body_ += char(c);
        } else if (c == '\t') {
            body_ += "\\tab ";
        } else if (c < 0x20 || c == 0x7F) {
            continue; // line breaks belong to paragraphs
        } else if (c < 0x80) {
            body_ += char(c);
        } else {
            // \uN takes a signed 16-bit number; surrogate halves go one by one.
            body_ += "\\u" + QByteArray::number(int(int16_t(c)));
            const uchar b = Cp1251(c);
            if (b)
                body_ += "\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
            else
                body_ += '?';
        }
    }
}

void RtfWriter::Picture(const QImage &image)
{
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    if (!image.save(&buf, "PNG"))
        return;
    body_ += "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
             QByteArray::number(image.height()) + "\\picwgoal" + QByteArray::number(qint64(image.width()) * 15) +
             "\\pichgoal" + QByteArray::number(qint64(image.height()) * 15) + "\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        body_ += hex.mid(i, 128);
        body_ += '\n';
    }
    body_ += "}";
}

void RtfWriter::EndParagraph()
{
    body_ += "\\par\n";
}

QByteArray RtfWriter::Document() const
{
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1\n"
           "{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}}\n"
           "\\pard\\plain\\f0\\fs20\n" +
           body_ + "}\n";
}

QByteArray RtfFromDocument(const QTextDocument &doc)
{
    RtfWriter w;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            if (frag.charFormat().isImageFormat()) {
                const QString name = frag.charFormat().toImageFormat().name();
                const QVariant res = doc.resource(QTextDocument::ImageResource, QUrl(name));
                QImage img;
                if (res.typeId() == QMetaType::QImage)
                    img = res.value<QImage>();
                else if (res.typeId() == QMetaType::QPixmap)
                    img = res.value<QPixmap>().toImage();
                // One fragment may hold several copies of the same image.
                for (int k = 0; k < frag.length(); ++k)
                    w.Picture(img);
            } else {
                QString t = frag.text();
                t.replace(QChar::LineSeparator, QLatin1Char(' '));
                w.Text(t);
            }
        }
        // The last empty block of a document ending in a line break adds nothing.
        if (block.next().isValid() || block.length() > 1)
            w.EndParagraph();
    }
    return w.Document();
}

void InsertMemoPicture(QTextCursor &cursor, const QImage &picture)
{
    static int serial = 0;
    const QUrl name(QStringLiteral("grizal2-picture-%1").arg(++serial));
    cursor.document()->addResource(QTextDocument::ImageResource, name, picture);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(picture.width());
    format.setHeight(picture.height());
    cursor.insertImage(format);
}
