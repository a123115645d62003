// Scanner acquisition: frames into pictures, and whole scans from SANE's test backend.
#include "shell/Scanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

using scanner::Frame;
using scanner::FramesToImage;

namespace {

uint32_t Px(const QImage &img, int x, int y)
{
    uint32_t v;
    std::memcpy(&v, img.constScanLine(y) + 4 * x, 4);
    return v; // 0xFFBBGGRR
}

Frame Make(int format, int depth, int w, int bpl, int lines, QByteArray data)
{
    Frame f;
    f.format = format, f.depth = depth, f.pixelsPerLine = w, f.bytesPerLine = bpl, f.lines = lines;
    f.data = std::move(data);
    return f;
}

} // namespace

TEST(ScannerFrames, GreyRgbAndThreeBands)
{
    // Grey, rows padded to 4 bytes.
    QImage g = FramesToImage({Make(0, 8, 3, 4, 2, QByteArray("\x00\x80\xFF\x77\x10\x20\x30\x77", 8))});
    ASSERT_EQ(g.size(), QSize(3, 2));
    EXPECT_EQ(g.format(), QImage::Format_RGBX8888);
    EXPECT_EQ(Px(g, 1, 0), 0xFF808080u);
    EXPECT_EQ(Px(g, 2, 1), 0xFF303030u);
    // Interleaved RGB.
    QImage c = FramesToImage({Make(1, 8, 2, 6, 1, QByteArray("\x01\x02\x03\x04\x05\x06", 6))});
    ASSERT_EQ(c.size(), QSize(2, 1));
    EXPECT_EQ(Px(c, 0, 0), 0xFF030201u);
    EXPECT_EQ(Px(c, 1, 0), 0xFF060504u);
    // Three single-band frames, in any order.
    QImage b = FramesToImage({Make(4, 8, 1, 1, 1, QByteArray("\x30", 1)), Make(2, 8, 1, 1, 1, QByteArray("\x10", 1)),
                              Make(3, 8, 1, 1, 1, QByteArray("\x20", 1))});
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(Px(b, 0, 0), 0xFF302010u);
}

TEST(ScannerFrames, LineArtAndSixteenBits)
{
    // In line art a set bit is black.
    QImage l = FramesToImage({Make(0, 1, 10, 2, 1, QByteArray("\xA0\x40", 2))});
    ASSERT_EQ(l.width(), 10);
    EXPECT_EQ(Px(l, 0, 0), 0xFF000000u);
    EXPECT_EQ(Px(l, 1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(Px(l, 2, 0), 0xFF000000u);
    EXPECT_EQ(Px(l, 9, 0), 0xFF000000u);
    EXPECT_EQ(Px(l, 8, 0), 0xFFFFFFFFu);
    // 16-bit samples in host order keep their high byte.
    const uint16_t rgb[3] = {0x1234, 0xABCD, 0xFF00};
    QImage s = FramesToImage({Make(1, 16, 1, 6, 1, QByteArray(reinterpret_cast<const char *>(rgb), 6))});
    ASSERT_FALSE(s.isNull());
    EXPECT_EQ(Px(s, 0, 0), 0xFFFFAB12u);
}

TEST(ScannerFrames, UnknownHeightAndBrokenFramesAreSafe)
{
    // Height unknown beforehand: whole lines received count, a partial last line does not.
    QImage u = FramesToImage({Make(0, 8, 2, 2, -1, QByteArray("\x01\x02\x03\x04\x05", 5))});
    EXPECT_EQ(u.size(), QSize(2, 2));
    // More lines than announced are cut to the announced height.
    EXPECT_EQ(FramesToImage({Make(0, 8, 1, 1, 2, QByteArray("abcd", 4))}).height(), 2);
    EXPECT_TRUE(FramesToImage({}).isNull());
    EXPECT_TRUE(FramesToImage({Make(0, 8, 2, 2, 1, QByteArray("\x01", 1))}).isNull());    // no whole line
    EXPECT_TRUE(FramesToImage({Make(1, 8, 4, 6, 1, QByteArray(6, 'x'))}).isNull());       // line too short
    EXPECT_TRUE(FramesToImage({Make(0, 12, 1, 2, 1, QByteArray(2, 'x'))}).isNull());      // odd depth
    EXPECT_TRUE(FramesToImage({Make(0, 8, 0, 1, 1, QByteArray(1, 'x'))}).isNull());
    EXPECT_TRUE(FramesToImage({Make(0, 8, 1, -3, 1, QByteArray(1, 'x'))}).isNull());
    EXPECT_TRUE(FramesToImage({Make(7, 8, 1, 1, 1, QByteArray(1, 'x'))}).isNull());
    // Band frames that do not match, or a band missing.
    EXPECT_TRUE(FramesToImage({Make(2, 8, 1, 1, 1, "a"), Make(3, 8, 1, 1, 1, "b")}).isNull());
    EXPECT_TRUE(FramesToImage({Make(2, 8, 1, 1, 1, "a"), Make(3, 8, 2, 2, 1, "bb"), Make(4, 8, 1, 1, 1, "c")}).isNull());
    EXPECT_TRUE(FramesToImage({Make(0, 8, 1, 1, 1, "a"), Make(0, 8, 1, 1, 1, "b")}).isNull());
}

// SANE with only its test backend. The library reads the folder of its configuration
// once per process, so every test rewrites the files of one folder.
class SaneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(dir->path()));
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override
    {
        if (!QFile::exists(QStringLiteral("/usr/lib/x86_64-linux-gnu/sane/libsane-test.so.1")) &&
            !QFile::exists(QStringLiteral("/usr/lib/sane/libsane-test.so.1")))
            GTEST_SKIP() << "SANE's test backend is not installed";
        scanner::SetSelectedDevice({});
    }
    void Configure(const QByteArray &testConf, const QByteArray &dll = "test\n")
    {
        auto write = [](const char *name, const QByteArray &text) {
            QFile f(QDir(dir->path()).filePath(QLatin1String(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(text);
        };
        write("dll.conf", dll);
        write("test.conf", "number_of_devices 2\nresolution 50\nbr_x 40.0\nbr_y 30.0\n" + testConf);
    }
    static QTemporaryDir *dir;
};
QTemporaryDir *SaneTest::dir = nullptr;

TEST_F(SaneTest, ListsTheTestDevices)
{
    Configure("");
    const QList<scanner::Device> devices = scanner::ListDevices();
    ASSERT_EQ(devices.size(), 2);
    EXPECT_EQ(devices[0].name, "test:0");
    EXPECT_EQ(devices[1].name, "test:1");
    EXPECT_TRUE(devices[0].description.contains("frontend-tester")) << devices[0].description.toStdString();
}

TEST_F(SaneTest, AcquiresInColour)
{
    // The device starts in grey; the scan asks for colour.
    Configure("mode Gray\ndepth 8\ntest-picture \"Color pattern\"\n");
    const QImage img = scanner::Acquire();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.format(), QImage::Format_RGBX8888);
    EXPECT_EQ(img.size(), QSize(78, 59)); // 40 x 30 mm at 50 dpi
    bool coloured = false;
    for (int y = 0; y < img.height() && !coloured; ++y)
        for (int x = 0; x < img.width() && !coloured; ++x) {
            const uint32_t v = Px(img, x, y);
            coloured = (v & 0xFF) != ((v >> 8) & 0xFF);
        }
    EXPECT_TRUE(coloured);
    // A named device and the chosen source are both used.
    EXPECT_EQ(scanner::Acquire(QStringLiteral("test:1")).size(), img.size());
    scanner::SetSelectedDevice(QStringLiteral("test:1"));
    EXPECT_EQ(scanner::Acquire().size(), img.size());
}

TEST_F(SaneTest, ThreePassAndSixteenBitScans)
{
    Configure("mode Color\ndepth 8\nthree-pass true\ntest-picture \"Solid white\"\n");
    QImage three = scanner::Acquire();
    ASSERT_FALSE(three.isNull());
    EXPECT_EQ(Px(three, 10, 10), 0xFFFFFFFFu);
    Configure("mode Color\ndepth 16\ntest-picture \"Solid white\"\n");
    QImage deep = scanner::Acquire();
    ASSERT_FALSE(deep.isNull());
    EXPECT_EQ(Px(deep, 5, 5), 0xFFFFFFFFu);
}

TEST_F(SaneTest, NothingToScanGivesNothing)
{
    Configure("");
    EXPECT_TRUE(scanner::Acquire(QStringLiteral("test:7")).isNull());
    EXPECT_TRUE(scanner::Acquire(QStringLiteral("nosuchbackend:0")).isNull());
    Configure("", "");
    EXPECT_TRUE(scanner::ListDevices().isEmpty());
    EXPECT_TRUE(scanner::Acquire().isNull());
}
