#include "image_files/PcxCodec.h"
#include "base/Errors.h"
#include "image_files/PictureMemory.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Header(int bits, int planes, int w, int h, int version = 5)
{
    QByteArray b(128, '\0');
    b[0] = 10;
    b[1] = char(version);
    b[2] = 1;
    b[3] = char(bits);
    b[8] = char((w - 1) & 0xFF);
    b[9] = char((w - 1) >> 8);
    b[10] = char((h - 1) & 0xFF);
    b[11] = char((h - 1) >> 8);
    b[65] = char(planes);
    return b;
}

QByteArray Trailer()
{
    QByteArray t(769, '\0');
    t[0] = 12;
    t[4] = t[5] = t[6] = char(255); // colour 1 white
    return t;
}

std::string MessageOf(const QByteArray &file)
{
    try {
        pcx::Decode(file);
    } catch (const GrizalError &e) {
        return e.text().toStdString();
    }
    return "";
}

TEST(PcxRead, HeaderChecksInOrder)
{
    QByteArray bad = Header(8, 1, 4, 4);
    bad[0] = 9;
    EXPECT_EQ(MessageOf(bad + Trailer()), "Illegal identification byte in PCX file header");
    EXPECT_EQ(MessageOf(Header(8, 1, 4, 4, 3) + Trailer()), "Only PC Paintbrush (plus) V3.0 and higher are supported");
    QByteArray neg = Header(8, 1, 4, 4);
    neg[4] = 10; // Xmin above Xmax + 1
    EXPECT_EQ(MessageOf(neg + Trailer()), "Illegal width entry in PCX file header");
    EXPECT_EQ(MessageOf(Header(8, 1, 4096, 1) + Trailer()), "Width of PCX image is too large to handle");
    EXPECT_EQ(MessageOf(Header(8, 4, 4, 4)), "Unsupported PCX format");
    EXPECT_EQ(MessageOf(Header(4, 1, 4, 4) + Trailer()), "Unsupported PCX format");
    QByteArray noSig = Trailer();
    noSig[0] = 0;
    EXPECT_EQ(MessageOf(Header(8, 1, 4, 1) + QByteArray(4, 1) + noSig), "Invalid palette signature found");
    EXPECT_FALSE(MessageOf(QByteArray(50, 10)).empty());         // shorter than a header
    EXPECT_FALSE(MessageOf(Header(8, 1, 4, 4) + "xx").empty()); // shorter than header and trailer
    QByteArray line; // 4095 bytes in runs of 63
    for (int i = 0; i < 65; ++i)
        line += QByteArray::fromHex("ff07");
    EXPECT_EQ(MessageOf(Header(8, 1, 4095, 1) + line + Trailer()), "");
}

TEST(PcxRead, HeadersAskingForMoreThanTheirDataAreRefused)
{
    // A bare header declaring 4095 x 65536 would be a 1 GiB picture of zeros.
    QByteArray bomb = Header(8, 3, 4095, 1);
    bomb[10] = bomb[11] = char(0xFF);
    try {
        pcx::Decode(bomb);
        FAIL();
    } catch (const PictureSizeError &e) {
        EXPECT_TRUE(e.tooLarge);
        EXPECT_EQ(e.height, 65536);
    }
    // Within the size limit, the data must be able to fill the picture in runs of 63.
    const QByteArray runs = QByteArray::fromHex("ff07").repeated(4);
    EXPECT_EQ(MessageOf(Header(8, 3, 4095, 16384) + runs),
              "The PCX file holds too little data for the picture its header declares");
    EXPECT_FALSE(MessageOf(Header(8, 1, 100, 100) + runs + Trailer()).empty());
    const QImage shortData = pcx::Decode(Header(8, 1, 63, 4) + runs + Trailer()); // 252 bytes: enough
    EXPECT_EQ(shortData.size(), QSize(63, 4));
}

TEST(PcxRead, RunsLiteralsAndShortData)
{
    // 0xC0 is the literal 192; a run past the line's end is cut there.
    QByteArray data;
    data.append(char(0xC0));
    data.append(char(0xC5));
    data.append(char(7)); // 5 × 7, only 3 fit in the 4-byte line
    data.append(char(9));
    const QImage img = pcx::Decode(Header(8, 1, 4, 2) + data + Trailer());
    ASSERT_EQ(img.format(), QImage::Format_Indexed8);
    EXPECT_EQ(img.constScanLine(0)[0], 192);
    EXPECT_EQ(img.constScanLine(0)[3], 7);
    EXPECT_EQ(img.constScanLine(1)[0], 9); // the next line starts with the next data byte
    EXPECT_EQ(img.constScanLine(1)[1], 0); // data ended: missing pixels are 0
    const QImage mono = pcx::Decode(Header(1, 1, 10, 1) + QByteArray(2, char(0xFF)) + Trailer());
    EXPECT_EQ(mono.width(), 16); // widened to a multiple of 8
}

TEST(PcxWrite, RunLengthRules)
{
    QImage img(100, 1, QImage::Format_RGB888);
    img.fill(QColor(10, 200, 191));
    const QByteArray f = pcx::Encode(img);
    EXPECT_EQ(f.size(), 128 + 4 + 4 + 4);
    EXPECT_EQ(uint8_t(f[128]), 0xFF);
    EXPECT_EQ(uint8_t(f[129]), 10);
    EXPECT_EQ(uint8_t(f[130]), 0xE5);
    EXPECT_EQ(uint8_t(f[65]), 3);
    QImage one(1, 2, QImage::Format_RGB888);
    one.fill(QColor(200, 191, 192));
    const QByteArray g = pcx::Encode(one); // one-pixel-wide pictures
    EXPECT_EQ(g.mid(128), QByteArray::fromHex("c1c8bfc1c0c1c8bfc1c0"));
    EXPECT_EQ(pcx::Decode(g).convertToFormat(QImage::Format_RGB888), one);
    try {
        pcx::Encode(QImage());
        FAIL();
    } catch (const GrizalError &e) {
        EXPECT_EQ(e.text(), "The bitmap is empty");
    }
    // No file is written that the reader would refuse; the widest it takes round-trips.
    QImage wide(4096, 1, QImage::Format_RGBX8888);
    wide.fill(Qt::white);
    try {
        pcx::Encode(wide);
        FAIL();
    } catch (const GrizalError &e) {
        EXPECT_EQ(e.text(), "Width of PCX image is too large to handle");
    }
    const QImage widest = wide.copy(0, 0, 4095, 1);
    EXPECT_EQ(pcx::Decode(pcx::Encode(widest)), widest);
}

TEST(PcxWrite, EightBitRepeatsTheLastByteAndRoundTrips)
{
    QImage img(3, 2, QImage::Format_Indexed8);
    img.setColorTable({qRgb(0, 0, 0), qRgb(1, 2, 3), qRgb(255, 0, 0)});
    img.fill(2);
    img.scanLine(1)[2] = 1;
    const QByteArray f = pcx::Encode(img);
    EXPECT_EQ(f.mid(128, f.size() - 128 - 769), QByteArray::fromHex("c302c2020101"));
    const QImage back = pcx::Decode(f);
    EXPECT_EQ(back.constScanLine(1)[2], 1);
    EXPECT_EQ(back.color(2), qRgb(255, 0, 0));
}

TEST(PcxFuzz, MutatedFilesNeverCrash)
{
    QImage img(37, 11, QImage::Format_RGB888);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 37 * 3; ++x)
            img.scanLine(y)[x] = uint8_t(x * y);
    QImage idx = img.convertToFormat(QImage::Format_Indexed8);
    const QByteArray seeds[] = {pcx::Encode(img), pcx::Encode(idx)};
    uint32_t s = 99;
    auto next = [&s] { return s = s * 1103515245u + 12345u; };
    for (int i = 0; i < 3000; ++i) {
        QByteArray b = seeds[i % 2];
        b = b.left(int(next() % uint32_t(b.size() + 1)));
        for (int m = 0; m < 6 && !b.isEmpty(); ++m)
            b[int(next() % uint32_t(b.size()))] = char(next() >> 8);
        try {
            pcx::Decode(b);
        } catch (const GrizalError &) {
        }
    }
}

// Pillow from Debian's python3-pil reads what we write and writes what we read.
bool RunPython(const QString &script)
{
    QProcess p;
    p.start("/usr/bin/python3", {"-c", script});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

TEST(PcxInterop, WithAnIndependentCodec)
{
    if (!RunPython("import PIL"))
        GTEST_SKIP() << "python3-pil is not installed";
    QTemporaryDir dir;
    QImage img(53, 17, QImage::Format_RGB888);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 53 * 3; ++x)
            img.scanLine(y)[x] = uint8_t((x / 7) * 40 + y);
    QFile ours(dir.filePath("ours.pcx"));
    ASSERT_TRUE(ours.open(QIODevice::WriteOnly));
    ours.write(pcx::Encode(img));
    ours.close();
    const QString raw = dir.filePath("ours.rgb");
    ASSERT_TRUE(RunPython(QString("from PIL import Image\nopen('%1','wb').write(Image.open('%2').convert('RGB').tobytes())")
                              .arg(raw, ours.fileName())));
    QFile r(raw);
    ASSERT_TRUE(r.open(QIODevice::ReadOnly));
    const QByteArray bytes = r.readAll();
    ASSERT_EQ(bytes.size(), 53 * 17 * 3);
    for (int y = 0; y < 17; ++y)
        ASSERT_EQ(QByteArray(reinterpret_cast<const char *>(img.constScanLine(y)), 53 * 3), bytes.mid(y * 159, 159));

    for (const char *mode : {"RGB", "P"}) {
        const QString theirs = dir.filePath(QString("theirs_%1.pcx").arg(mode));
        const QString rgb = dir.filePath(QString("theirs_%1.rgb").arg(mode));
        ASSERT_TRUE(RunPython(QString("from PIL import Image\n"
                                      "im=Image.new('RGB',(41,9))\n"
                                      "im.putdata([((x*13)%256,(y*29)%256,((x+y)*7)%256) for y in range(9) for x in range(41)])\n"
                                      "im=im.convert('%1') if '%1'=='RGB' else im.quantize(200)\n"
                                      "im.save('%2')\n"
                                      "open('%3','wb').write(Image.open('%2').convert('RGB').tobytes())")
                                  .arg(mode, theirs, rgb)));
        QFile t(theirs), tr(rgb);
        ASSERT_TRUE(t.open(QIODevice::ReadOnly));
        ASSERT_TRUE(tr.open(QIODevice::ReadOnly));
        const QImage decoded = pcx::Decode(t.readAll()).convertToFormat(QImage::Format_RGB888);
        const QByteArray expected = tr.readAll();
        ASSERT_EQ(decoded.size(), QSize(41, 9)) << mode;
        for (int y = 0; y < 9; ++y)
            ASSERT_EQ(QByteArray(reinterpret_cast<const char *>(decoded.constScanLine(y)), 41 * 3),
                      expected.mid(y * 123, 123))
                << mode << " row " << y;
    }
}

} // namespace
