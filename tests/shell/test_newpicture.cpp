#include "shell/NewPicture.h"

#include <gtest/gtest.h>

namespace {

TEST(NewPicture, SizesAreCheckedIntegers)
{
    QImage img;
    QString error;
    ASSERT_TRUE(MakeBlankPicture("30", "20", img, error));
    EXPECT_EQ(img.size(), QSize(30, 20));
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    ASSERT_TRUE(MakeBlankPicture("0", "0", img, error));
    EXPECT_TRUE(img.isNull());
    EXPECT_FALSE(MakeBlankPicture("abc", "5", img, error));
    EXPECT_EQ(error, "'abc' is not a valid integer value");
    EXPECT_FALSE(MakeBlankPicture("-5", "5", img, error));
    EXPECT_FALSE(MakeBlankPicture("100000", "100000", img, error));
    EXPECT_EQ(error, "'100000' is not a valid integer value");
}

} // namespace
