#pragma once
// A small RTF writer of our own: text paragraphs and PNG pictures, enough for the report
// memo to open in a word processor.
#include <QByteArray>
#include <QImage>
#include <QString>

class QTextCursor;
class QTextDocument;

class RtfWriter {
public:
    // Text of the current paragraph. Backslash and braces are escaped, TAB becomes \tab,
    // other control characters are dropped, and every non-ASCII character is written as
    // \uN with its Windows-1251 byte (or '?') as the fallback for older readers.
    void Text(const QString &text);
    // A picture at the current place, embedded as PNG with its size in pixels and, for
    // the reader's layout, in twips at 96 pixels per inch. A null image writes nothing.
    void Picture(const QImage &image);
    void EndParagraph();

    void AddParagraph(const QString &text)
    {
        Text(text);
        EndParagraph();
    }

    // The whole document.
    QByteArray Document() const;

private:
    QByteArray body_;
};

// The content of a rich-text memo: each block a paragraph, its text and inline images in
// order. Images are the document's image resources (QImage or QPixmap).
QByteArray RtfFromDocument(const QTextDocument &doc);

// A picture at the cursor, held as its own image resource of the cursor's document, so
// that later pictures never replace it.
void InsertMemoPicture(QTextCursor &cursor, const QImage &picture);
