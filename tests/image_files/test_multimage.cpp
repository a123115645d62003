#include "image_files/MultImage.h"
#include "image_files/PictureMemory.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QImage Picture()
{
    QImage img(20, 10, QImage::Format_RGBX8888);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            reinterpret_cast<uint32_t *>(img.scanLine(y))[x] = 0xFF000000u | uint32_t(x * 12) | uint32_t(y * 20) << 8 | 0x400000u;
    return img;
}

TEST(MultImage, RoundTripsOfEveryWritableFormat)
{
    QTemporaryDir dir;
    const QImage img = Picture();
    for (const char *ext : {"bmp", "PNG", "tif", "pcx", "gif", "jpg"}) {
        const QString name = dir.filePath(QString("p.%1").arg(ext));
        QString message;
        ASSERT_TRUE(TMultImage::SavePicture(name, img, 100, message)) << ext << message.toStdString();
        QImage back;
        ASSERT_TRUE(TMultImage::LoadPicture(name, back, message)) << ext;
        EXPECT_EQ(back.format(), QImage::Format_RGBX8888);
        ASSERT_EQ(back.size(), img.size());
        const QString e = QString(ext).toUpper();
        if (e != "JPG" && e != "GIF")
            EXPECT_EQ(back, img) << ext;
    }
    QFile bmp(dir.filePath("p.bmp"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.readAll().at(28), 24); // bits per pixel of the written file
}

TEST(MultImage, DispatchByExtension)
{
    QTemporaryDir dir;
    QString message;
    const QImage img = Picture();
    ASSERT_TRUE(TMultImage::SavePicture(dir.filePath("x.png"), img, 100, message));
    QFile::copy(dir.filePath("x.png"), dir.filePath("x.jpeg"));
    QFile::copy(dir.filePath("x.png"), dir.filePath("looks.jpg")); // content decides the coding
    QImage pic = img;
    EXPECT_TRUE(TMultImage::LoadPicture(dir.filePath("x.jpeg"), pic, message));
    EXPECT_TRUE(pic.isNull()); // not a recognised extension: an empty picture
    EXPECT_TRUE(TMultImage::LoadPicture(dir.filePath("looks.jpg"), pic, message));
    EXPECT_EQ(pic, img);
    pic = img;
    EXPECT_FALSE(TMultImage::LoadPicture(dir.filePath("missing.png"), pic, message));
    EXPECT_EQ(message, "Файл не найден!");
    EXPECT_EQ(pic, img); // unchanged
    EXPECT_TRUE(TMultImage::SavePicture(dir.filePath("x.emf"), img, 100, message));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.emf")));
    QFile junk(dir.filePath("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image");
    junk.close();
    EXPECT_FALSE(TMultImage::LoadPicture(junk.fileName(), pic, message));
    EXPECT_TRUE(pic.isNull());
    EXPECT_TRUE(message.contains("junk.png"));
}

// Common RGB files are read through libtiff directly, the rest through Qt's reader: both
// must give what Qt's reader gives, with the resolution and colour profile writers pass on.
TEST(MultImage, TiffFilesReadAsQtReadsThem)
{
    QTemporaryDir dir;
    QImage rgb = Picture();
    rgb.setDotsPerMeterX(11811);
    rgb.setDotsPerMeterY(5906);
    rgb.setColorSpace(QColorSpace::SRgb);
    QImage alpha = rgb.convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(3, 4, qRgba(10, 20, 30, 40));
    const struct {
        const char *name;
        QImage picture;
        int compression;
    } cases[] = {{"rgb.tif", rgb, 0},
                 {"lzw.tif", rgb, 1},
                 {"grey.tif", rgb.convertToFormat(QImage::Format_Grayscale8), 0},
                 {"alpha.tif", alpha, 1},
                 {"indexed.tif", rgb.convertToFormat(QImage::Format_Indexed8), 0}};
    for (const auto &c : cases) {
        const QString name = dir.filePath(c.name);
        QImageWriter writer(name, "tiff");
        writer.setCompression(c.compression);
        ASSERT_TRUE(writer.write(c.picture)) << c.name;
        const QImage qt = QImageReader(name).read().convertToFormat(QImage::Format_RGBX8888);
        QImage pic;
        QString message;
        ASSERT_TRUE(TMultImage::LoadPicture(name, pic, message)) << c.name;
        EXPECT_EQ(pic, qt) << c.name;
        EXPECT_EQ(pic.dotsPerMeterX(), qt.dotsPerMeterX()) << c.name;
        EXPECT_EQ(pic.dotsPerMeterY(), 5906) << c.name;
        EXPECT_EQ(pic.colorSpace(), qt.colorSpace()) << c.name;
    }
    EXPECT_EQ(QImage(QImageReader(dir.filePath("rgb.tif")).read()).colorSpace(), QColorSpace(QColorSpace::SRgb));

    // Strip data beyond the end of the file: refused, not shown as a picture.
    QFile f(dir.filePath("lzw.tif"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("II"));
    const auto word = [&bytes](qsizetype at, int n) {
        quint32 v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v << 8 | uchar(bytes[at + i]);
        return v;
    };
    const quint32 ifd = word(4, 4);
    bool patched = false;
    for (quint32 i = 0; i < word(ifd, 2) && !patched; ++i) {
        const quint32 entry = ifd + 2 + 12 * i;
        if (word(entry, 2) == 273 && word(entry + 4, 4) == 1) { // the one strip's offset
            for (int k = 0; k < 4; ++k)
                bytes[entry + 8 + k] = char(0x7F);
            patched = true;
        }
    }
    ASSERT_TRUE(patched);
    f.seek(0);
    f.write(bytes);
    f.close();
    QImage pic = rgb;
    QString message;
    EXPECT_FALSE(TMultImage::LoadPicture(f.fileName(), pic, message));
    EXPECT_TRUE(pic.isNull());
    EXPECT_TRUE(message.contains("lzw.tif")) << message.toStdString();
}

TEST(MultImage, LargePicturesOpenAndLargerOnesAreRefusedByName)
{
    QTemporaryDir dir;
    QString message;
    // 256 MB in memory: beyond the library's own default limit.
    QImage big(8192, 8192, QImage::Format_RGB888);
    big.fill(QColor(10, 20, 30));
    const QString bigName = dir.filePath("big.png");
    QImageWriter writer(bigName);
    writer.setQuality(85);
    ASSERT_TRUE(writer.write(big));
    big = QImage();
    QImage pic;
    ASSERT_TRUE(TMultImage::LoadPicture(bigName, pic, message)) << message.toStdString();
    ASSERT_EQ(pic.size(), QSize(8192, 8192));
    EXPECT_EQ(reinterpret_cast<const uint32_t *>(pic.constScanLine(8191))[8191], 0xFF1E140Au);
    pic = QImage();

    QImage wide(kMaxPictureSide + 1, 1, QImage::Format_RGB888);
    wide.fill(Qt::white);
    ASSERT_TRUE(wide.save(dir.filePath("wide.png")));
    EXPECT_FALSE(TMultImage::LoadPicture(dir.filePath("wide.png"), pic, message));
    EXPECT_TRUE(message.contains("wide.png") && message.contains("16385 x 1")) << message.toStdString();

    // A GIF header whose logical screen (2061 x 63524) Qt would allocate before any pixel.
    QFile gifBomb(dir.filePath("bomb.gif"));
    ASSERT_TRUE(gifBomb.open(QIODevice::WriteOnly));
    gifBomb.write(QByteArray::fromBase64("R0lGODdhDQgk+IMAALu+M7ufGny0owQAAACAAAC+GyefDjlvFwJvELs6HrsJK3wpF6AAACdDECcJAABAASwAAAkAAAhVAB8IXMDPgIECADs="));
    gifBomb.close();
    EXPECT_FALSE(TMultImage::LoadPicture(gifBomb.fileName(), pic, message));
    EXPECT_TRUE(message.contains("2061 x 63524")) << message.toStdString();

    QByteArray pcxBomb(128, '\0'); // 4095 x 65536, no data
    pcxBomb[0] = 10;
    pcxBomb[1] = 5;
    pcxBomb[3] = 8;
    pcxBomb[65] = 3;
    pcxBomb[8] = char(0xFE);
    pcxBomb[9] = 0x0F;
    pcxBomb[10] = pcxBomb[11] = char(0xFF);
    QFile bomb(dir.filePath("bomb.pcx"));
    ASSERT_TRUE(bomb.open(QIODevice::WriteOnly));
    bomb.write(pcxBomb);
    bomb.close();
    EXPECT_FALSE(TMultImage::LoadPicture(bomb.fileName(), pic, message));
    EXPECT_TRUE(message.contains("bomb.pcx") && message.contains("4095 x 65536")) << message.toStdString();
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GRIZAL2_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GRIZAL2_ASAN 1
#endif

TEST(PictureMemory, ReleasedPicturesAreReused)
{
#if defined(GRIZAL2_ASAN)
    GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#elif defined(__GLIBC__)
    KeepPictureMemory();
    auto faults = [] {
        rusage u;
        getrusage(RUSAGE_SELF, &u);
        return u.ru_minflt;
    };
    QImage(4096, 4096, QImage::Format_RGBX8888).fill(0);
    const long before = faults();
    QImage(4096, 4096, QImage::Format_RGBX8888).fill(0); // 16384 pages if fresh from the system
    EXPECT_LT(faults() - before, 1000);
#endif
}

TEST(MultImage, JpegQualityAnswers)
{
    EXPECT_EQ(TMultImage::JpegQualityFromText("75"), 75);
    EXPECT_EQ(TMultImage::JpegQualityFromText("abc"), 100);
    EXPECT_EQ(TMultImage::JpegQualityFromText("300"), 44);
}

TEST(MultImage, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("keep.pcx");
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    QString message;
    EXPECT_FALSE(TMultImage::SavePicture(name, QImage(), 100, message));
    EXPECT_EQ(message, "The bitmap is empty");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "old");
}

} // namespace
