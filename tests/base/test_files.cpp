#include "base/Files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fileio;

TEST(WriteFile, FailureLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("keep.grz");
    QString error;
    ASSERT_TRUE(WriteFileAtomically(name, "old", error));
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("no/such/dir/x.grz"), "new", error));
    EXPECT_TRUE(error.contains("x.grz"));
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

TEST(Extensions, FromTheLastPointInUpperCase)
{
    EXPECT_EQ(UpperExtension("a/photo.JpG"), ".JPG");
    EXPECT_EQ(UpperExtension("x.tar.grz"), ".GRZ");
    EXPECT_EQ(UpperExtension("noext"), "");
    EXPECT_EQ(FileNamePart("/tmp/dir/Image1.bmp"), "Image1.bmp");
}
