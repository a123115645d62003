// Loading user-function libraries and running their functions on pictures.
#include "imaging/UserFunctions.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Fake(int kind)
{
    return QStringLiteral(FAKE_LIBS "/libfake_userfunctions_%1.so").arg(kind);
}

const QString kExample = QStringLiteral(GRIZAL2_BIN_DIR "/libG2AddFunctions.so");

QImage Picture(int w, int h, uint32_t packed)
{
    QImage img(w, h, QImage::Format_RGBX8888);
    for (int y = 0; y < h; ++y) {
        uchar *p = img.scanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            p[0] = uchar(packed), p[1] = uchar(packed >> 8), p[2] = uchar(packed >> 16), p[3] = 0xFF;
        }
    }
    return img;
}

} // namespace

TEST(UserFunctions, MissingOrForeignLibraryGivesNoFunctions)
{
    UserFunctions lib;
    EXPECT_FALSE(lib.Load(QStringLiteral("/nonexistent/libG2AddFunctions.so")));
    EXPECT_FALSE(lib.Loaded());
    EXPECT_EQ(lib.Count(), 0);
    QTemporaryDir dir;
    const QString junk = dir.filePath("libG2AddFunctions.so");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a library");
    f.close();
    EXPECT_FALSE(lib.Load(junk));
    // A library without the count and the names is not one of ours.
    EXPECT_FALSE(lib.Load(Fake(3)));
    EXPECT_EQ(lib.Count(), 0);
    QImage img = Picture(2, 2, 0);
    double r = -1;
    for (int i : {-1, 0, 1, 100})
        EXPECT_FALSE(lib.Apply(i, img, r));
    EXPECT_EQ(r, -1);
}

TEST(UserFunctions, NamesInOrderAndEntryPointsByNumber)
{
    UserFunctions lib;
    ASSERT_TRUE(lib.Load(Fake(1)));
    ASSERT_EQ(lib.Count(), 3);
    EXPECT_EQ(lib.Name(0), QString::fromUtf8("Первая"));
    EXPECT_EQ(lib.Name(1), QString::fromUtf8("Вторая"));
    EXPECT_EQ(lib.Name(2), QString(255, 'x'));
    EXPECT_EQ(lib.Names().size(), 3);
    EXPECT_TRUE(lib.Has(0));
    EXPECT_FALSE(lib.Has(1)); // "function2" is not exported
    EXPECT_TRUE(lib.Has(2));
    EXPECT_FALSE(lib.Has(3));
    EXPECT_EQ(lib.Name(3), QString());
    EXPECT_EQ(lib.Name(-1), QString());

    QImage img = Picture(5, 3, 0x00FF00);
    double r = 0;
    EXPECT_FALSE(lib.Apply(1, img, r));
    ASSERT_TRUE(lib.Apply(2, img, r));
    EXPECT_EQ(r, 2.5);
    // The function sees the picture's geometry and changes it in place.
    ASSERT_TRUE(lib.Apply(0, img, r));
    EXPECT_EQ(r, 5003001);
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(1, 0), qRgb(0, 255, 0));
    // Another format is converted first; an empty picture calls nothing.
    QImage rgb32(4, 4, QImage::Format_RGB32);
    rgb32.fill(Qt::blue);
    ASSERT_TRUE(lib.Apply(0, rgb32, r));
    EXPECT_EQ(rgb32.format(), QImage::Format_RGBX8888);
    EXPECT_EQ(rgb32.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(rgb32.pixel(3, 3), qRgb(0, 0, 255));
    QImage empty;
    EXPECT_FALSE(lib.Apply(0, empty, r));

    lib.Unload();
    EXPECT_EQ(lib.Count(), 0);
    EXPECT_FALSE(lib.Apply(0, img, r));
}

TEST(UserFunctions, KeepsAtMostAHundred)
{
    UserFunctions lib;
    ASSERT_TRUE(lib.Load(Fake(2)));
    EXPECT_EQ(lib.Count(), UserFunctions::MaxFunctions);
    EXPECT_TRUE(lib.Has(99));
    EXPECT_FALSE(lib.Has(100));
    QImage img = Picture(1, 1, 0);
    double r = 0;
    ASSERT_TRUE(lib.Apply(99, img, r));
    EXPECT_EQ(r, 100);
    EXPECT_FALSE(lib.Apply(100, img, r));
    // Loading again replaces the old library.
    ASSERT_TRUE(lib.Load(Fake(1)));
    EXPECT_EQ(lib.Count(), 3);
}

TEST(UserFunctions, ResultTextIsTheGeneralForm)
{
    EXPECT_EQ(UserFunctionResultText(2.5, ','), "2,5");
    EXPECT_EQ(UserFunctionResultText(2.5, '.'), "2.5");
    EXPECT_EQ(UserFunctionResultText(1.0 / 3, ','), "0,333333333333333");
    EXPECT_EQ(UserFunctionResultText(1e20, ','), "1E20");
    EXPECT_EQ(UserFunctionResultText(std::nan(""), ','), "NAN");
    EXPECT_EQ(UserFunctionResultText(-HUGE_VAL, ','), "-INF");
}

TEST(ExampleLibrary, MeasuresAndInverts)
{
    if (!QFileInfo::exists(kExample))
        GTEST_SKIP() << "the example library is not built";
    UserFunctions lib;
    ASSERT_TRUE(lib.Load(kExample));
    ASSERT_EQ(lib.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(lib.Has(i)) << i;
    EXPECT_EQ(lib.Name(0), QString::fromUtf8("Средняя яркость"));

    // Left half black, right half (30, 60, 90).
    QImage img = Picture(10, 4, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 5; x < 10; ++x) {
            uchar *p = img.scanLine(y) + 4 * x;
            p[0] = 30, p[1] = 60, p[2] = 90;
        }
    double r = 0;
    ASSERT_TRUE(lib.Apply(0, img, r));
    EXPECT_DOUBLE_EQ(r, 30);
    ASSERT_TRUE(lib.Apply(1, img, r));
    EXPECT_DOUBLE_EQ(r, 100);
    ASSERT_TRUE(lib.Apply(2, img, r));
    EXPECT_EQ(r, 2);
    ASSERT_TRUE(lib.Apply(3, img, r));
    EXPECT_EQ(r, 40);
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(9, 3), qRgb(225, 195, 165));
    EXPECT_EQ(img.constScanLine(0)[3], 0xFF);
    ASSERT_TRUE(lib.Apply(1, img, r));
    EXPECT_DOUBLE_EQ(r, 0);

    // A picture whose rows are padded: a 3-pixel-wide slice of a wider one.
    QImage wide = Picture(8, 2, 0xFFFFFF);
    QImage slice(wide.bits(), 3, 2, wide.bytesPerLine(), QImage::Format_RGBX8888);
    ASSERT_TRUE(lib.Apply(2, slice, r));
    EXPECT_EQ(r, 1);
}
