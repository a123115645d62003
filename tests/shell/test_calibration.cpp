#include "shell/Calibration.h"

#include <gtest/gtest.h>

namespace {

TEST(Calibration, NumberTexts)
{
    EXPECT_EQ(calibration::KPixText(8.7, ','), "8,700");
    EXPECT_EQ(calibration::KPixText(1, '.'), "1.000");
    EXPECT_EQ(calibration::KPixText(1234.5, ','), "1,23E003");
    QString t;
    ASSERT_TRUE(calibration::MeasuredKPixText("500", 57, ',', t));
    EXPECT_EQ(t, "8,77000");
    EXPECT_FALSE(calibration::MeasuredKPixText("abc", 57, ',', t));
    EXPECT_EQ(calibration::LineLength(57, 0), 57);
    EXPECT_EQ(calibration::LineLength(3, 4), 5);
    EXPECT_EQ(calibration::LineLength(1, 1), 1);
    EXPECT_EQ(calibration::LineLength(0, 0), 0);
}

TEST(Calibration, TypedCoefficient)
{
    double k = 7;
    ASSERT_TRUE(calibration::ReadKPix("0,125", ',', k));
    EXPECT_EQ(k, 0.125);
    EXPECT_FALSE(calibration::ReadKPix("0.125", ',', k));
    EXPECT_FALSE(calibration::ReadKPix("1e4000", '.', k)); // no finite double
    EXPECT_EQ(k, 0.125);
}

} // namespace
