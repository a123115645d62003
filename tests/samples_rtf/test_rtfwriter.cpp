// The RTF writer, read back with a strict little RTF reader.
#include "samples/RtfWriter.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct Pict {
    int picw = 0, pich = 0, goalw = 0, goalh = 0;
    bool png = false;
    QByteArray hex;
};

struct Parsed {
    bool ok = true;
    QStringList paragraphs;       // text read through \uN
    QStringList fallbackParagraphs; // text of a reader that skips \uN and decodes \'hh
    QList<Pict> picts;
};

QChar FromCp1251(int b)
{
    if (b >= 0xC0)
        return QChar(0x0410 + (b - 0xC0));
    if (b == 0xA8)
        return QChar(0x0401);
    if (b == 0xB8)
        return QChar(0x0451);
    return QChar(0xFFFD);
}

Parsed Parse(const QByteArray &rtf)
{
    Parsed r;
    QString cur, curFb;
    int depth = 0, pictDepth = -1, skip = 0;
    Pict pict;
    int i = 0;
    const int n = int(rtf.size());
    if (!rtf.startsWith("{\\rtf1"))
        r.ok = false;
    auto text = [&](QChar c, QChar fb) {
        if (pictDepth >= 0)
            return;
        cur += c;
        curFb += fb;
    };
    bool inFontTable = false;
    int fontDepth = -1;
    while (i < n && r.ok) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            ++i;
        } else if (c == '}') {
            if (depth == pictDepth) {
                r.picts.append(pict);
                pictDepth = -1;
            }
            if (depth == fontDepth)
                inFontTable = false, fontDepth = -1;
            --depth;
            ++i;
            if (depth < 0)
                r.ok = false;
        } else if (c == '\\') {
            ++i;
            if (i >= n) {
                r.ok = false;
                break;
            }
            const char d = rtf[i];
            if (d == '\\' || d == '{' || d == '}') {
                if (skip > 0)
                    --skip;
                else
                    text(QChar(d), QChar(d));
                ++i;
            } else if (d == '\'') {
                const int b = rtf.mid(i + 1, 2).toInt(nullptr, 16);
                i += 3;
                if (skip > 0)
                    --skip; // the fallback of the preceding \u
                else
                    text(FromCp1251(b), FromCp1251(b));
                // A reader without \u support shows the fallback.
                if (pictDepth < 0)
                    curFb.back() = FromCp1251(b);
            } else if (std::isalpha(uchar(d))) {
                int s = i;
                while (i < n && std::isalpha(uchar(rtf[i])))
                    ++i;
                const QByteArray word = rtf.mid(s, i - s);
                int s2 = i;
                if (i < n && (rtf[i] == '-' || std::isdigit(uchar(rtf[i])))) {
                    ++i;
                    while (i < n && std::isdigit(uchar(rtf[i])))
                        ++i;
                }
                const bool hasNum = i > s2;
                const int num = rtf.mid(s2, i - s2).toInt();
                if (i < n && rtf[i] == ' ')
                    ++i;
                if (word == "u" && hasNum) {
                    cur += QChar(char16_t(num < 0 ? num + 65536 : num));
                    curFb += QChar('?');
                    skip = 1;
                } else if (word == "par") {
                    r.paragraphs << cur;
                    r.fallbackParagraphs << curFb;
                    cur.clear();
                    curFb.clear();
                } else if (word == "tab") {
                    text(QChar('\t'), QChar('\t'));
                } else if (word == "pict") {
                    pictDepth = depth;
                    pict = Pict();
                } else if (word == "fonttbl") {
                    inFontTable = true;
                    fontDepth = depth;
                } else if (pictDepth >= 0) {
                    if (word == "pngblip") pict.png = true;
                    if (word == "picw") pict.picw = num;
                    if (word == "pich") pict.pich = num;
                    if (word == "picwgoal") pict.goalw = num;
                    if (word == "pichgoal") pict.goalh = num;
                }
            } else {
                r.ok = false; // no other control symbols are written
            }
        } else if (c == '\n' || c == '\r') {
            ++i;
        } else {
            if (pictDepth >= 0) {
                if (!std::isxdigit(uchar(c)))
                    r.ok = false;
                pict.hex += c;
            } else if (!inFontTable) {
                if (skip > 0) {
                    --skip;
                    curFb.back() = QChar(c);
                } else {
                    text(QChar(c), QChar(c));
                }
            }
            ++i;
        }
    }
    if (depth != 0 || !cur.isEmpty())
        r.ok = false;
    return r;
}

QImage Sample()
{
    QImage img(7, 5, QImage::Format_RGBX8888);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            img.setPixel(x, y, qRgb(x * 30, y * 50, 200));
    return img;
}

} // namespace

TEST(RtfWriter, EscapesAndCyrillic)
{
    RtfWriter w;
    w.AddParagraph(QStringLiteral("a\\b{c}d\te"));
    w.AddParagraph(QStringLiteral("Средняя плотность по каналу R = 100,000"));
    w.AddParagraph(QStringLiteral("Ёж ё № µ 𝄞 ☺"));
    w.AddParagraph(QString());
    w.AddParagraph(QStringLiteral("line\r\nbreak"));
    const QByteArray doc = w.Document();
    for (char c : doc)
        ASSERT_LT(uchar(c), 0x80) << "RTF is 7-bit";
    const Parsed p = Parse(doc);
    ASSERT_TRUE(p.ok) << doc.constData();
    ASSERT_EQ(p.paragraphs.size(), 5);
    EXPECT_EQ(p.paragraphs[0], QStringLiteral("a\\b{c}d\te"));
    EXPECT_EQ(p.paragraphs[1], QStringLiteral("Средняя плотность по каналу R = 100,000"));
    EXPECT_EQ(p.paragraphs[2], QStringLiteral("Ёж ё № µ 𝄞 ☺"));
    EXPECT_EQ(p.paragraphs[3], QString());
    EXPECT_EQ(p.paragraphs[4], QStringLiteral("linebreak"));
    // A reader that ignores \u still gets the Russian text from the code-page bytes.
    EXPECT_EQ(p.fallbackParagraphs[1], QStringLiteral("Средняя плотность по каналу R = 100,000"));
    EXPECT_TRUE(doc.contains("\\ansicpg1251"));
}

TEST(RtfWriter, PictureRoundTrip)
{
    RtfWriter w;
    w.AddParagraph(QStringLiteral("до"));
    w.Picture(Sample());
    w.EndParagraph();
    w.Picture(QImage()); // nothing
    w.AddParagraph(QStringLiteral("после"));
    const Parsed p = Parse(w.Document());
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.picts.size(), 1);
    const Pict &pict = p.picts[0];
    EXPECT_TRUE(pict.png);
    EXPECT_EQ(pict.picw, 7);
    EXPECT_EQ(pict.pich, 5);
    EXPECT_EQ(pict.goalw, 7 * 15);
    EXPECT_EQ(pict.goalh, 5 * 15);
    const QImage back = QImage::fromData(QByteArray::fromHex(pict.hex), "PNG");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGBX8888), Sample());
    EXPECT_EQ(p.paragraphs, (QStringList{QStringLiteral("до"), QString(), QStringLiteral("после")}));
}

TEST(RtfWriter, MemoDocument)
{
    int argc = 0;
    static QGuiApplication *app = new QGuiApplication(argc, nullptr);
    (void)app;
    QTextDocument doc;
    QTextCursor cur(&doc);
    cur.insertText(QStringLiteral("Закон {1}"));
    cur.insertBlock();
    doc.addResource(QTextDocument::ImageResource, QUrl("chart"), Sample());
    QTextImageFormat f;
    f.setName("chart");
    cur.insertImage(f);
    cur.insertBlock();
    cur.insertText(QStringLiteral("конец"));
    const Parsed p = Parse(RtfFromDocument(doc));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.paragraphs, (QStringList{QStringLiteral("Закон {1}"), QString(), QStringLiteral("конец")}));
    ASSERT_EQ(p.picts.size(), 1);
    EXPECT_EQ(QImage::fromData(QByteArray::fromHex(p.picts[0].hex)).convertToFormat(QImage::Format_RGBX8888),
              Sample());

    // An empty memo: a valid document without text.
    QTextDocument empty;
    const Parsed e = Parse(RtfFromDocument(empty));
    EXPECT_TRUE(e.ok);
    EXPECT_TRUE(e.paragraphs.isEmpty());
    EXPECT_TRUE(e.picts.isEmpty());
}
