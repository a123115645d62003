#include "base/NumberForms.h"
#include "base/Real48.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace numtext;

namespace {

const QChar kComma(','), kPoint('.');

QString F6(long double v, QChar s = kComma) { return Fixed6(v, s); }
QString G(long double v, QChar s = kComma) { return FormatGeneral(v, s); }

TEST(Fixed6, ExamplesOfTheTable)
{
    EXPECT_EQ(F6(12.3456L), "12,346");
    EXPECT_EQ(F6(1234.5678L), "1234,570");
    EXPECT_EQ(F6(0.0004L), "0,000");
    EXPECT_EQ(F6(5), "5,000");
    EXPECT_EQ(F6(5, kPoint), "5.000");
    EXPECT_EQ(F6(1234567), "1,23457E006");
    EXPECT_EQ(F6(1234567, kPoint), "1.23457E006");
}

TEST(Fixed6, RoundingEdges)
{
    EXPECT_EQ(F6(9.9999995L), "10,000");
    EXPECT_EQ(F6(999999.5L), "1E006"); // rounds to seven integer digits
    EXPECT_EQ(F6(999999.4L), "999999,000");
    EXPECT_EQ(F6(1e-5L), "0,000");
    EXPECT_EQ(F6(0.00049L), "0,000");
    EXPECT_EQ(F6(-0.0004L), "0,000"); // never "-0,000"
    EXPECT_EQ(F6(-12.3456L), "-12,346");
    EXPECT_EQ(F6(0), "0,000");
    // Exact binary ties round away from zero; printf would give the even digit.
    EXPECT_EQ(F6(31.0625L), "31,063");
    EXPECT_EQ(F6(-31.0625L), "-31,063");
    EXPECT_EQ(F6(0.0625L), "0,063");
}

TEST(FormatFixed, OtherPrecisions)
{
    EXPECT_EQ(FormatFixed(31.25L, 3, 3, kPoint), "31.300");
    EXPECT_EQ(FormatFixed(1234.5L, 3, 3, kComma), "1,23E003");
    EXPECT_EQ(FormatFixed(5, 3, 2, kComma), "5,00");
    EXPECT_EQ(FormatFixed(12.3456L, 3, 2, kComma), "12,30");
    EXPECT_EQ(FormatFixed(8.7L, 3, 3, kComma), "8,700");
    EXPECT_EQ(FormatFixed(500.0L / 57, 3, 5, kComma), "8,77000");
    EXPECT_EQ(FormatFixed(123456, 3, 5, kComma), "1,23E0005");
    EXPECT_EQ(FormatFixed(123456, 3, 2, kComma), "1,23E05");
    EXPECT_EQ(Fixed3(999.7L, kPoint), "1E003");
    EXPECT_EQ(Fixed3(2000, kPoint), "2E003");
    EXPECT_EQ(Fixed3(0.0012345L, kPoint), "0.001");
    EXPECT_EQ(Fixed3(100, kPoint), "100.000");
    EXPECT_EQ(Fixed3(-0.5L, kPoint), "-0.500");
    EXPECT_EQ(Fixed3(-1e-20L, kPoint), "0.000");
}

TEST(GeneralForm, Examples)
{
    EXPECT_EQ(G(12.5L), "12,5");
    EXPECT_EQ(G(3), "3");
    EXPECT_EQ(G(0), "0");
    EXPECT_EQ(G(1e20L), "1E20");
    EXPECT_EQ(G(1.5e-6L), "1,5E-6");
    EXPECT_EQ(G(1.5e-6L, kPoint), "1.5E-6");
    EXPECT_EQ(G(1e-5L), "0,00001");
    EXPECT_EQ(G(-2.5L), "-2,5");
    EXPECT_EQ(G(123456789012345.0L), "123456789012345");
    EXPECT_EQ(G(1234567890123456.0L), "1,23456789012346E15");
    EXPECT_EQ(G(0.1L), "0,1");
    EXPECT_EQ(G(1.0L / 3), "0,333333333333333");
}

TEST(GeneralForm, ShowsTheRoundingOfTheSixByteForm)
{
    const long double stored = Real48ToExt(ExtToReal48(12.346L));
    EXPECT_EQ(G(stored), "12,346000000005");
}

TEST(ReadNumber, AcceptsTheNumberGrammar)
{
    long double v = 0;
    EXPECT_TRUE(ReadNumber("12,5", kComma, v));
    EXPECT_EQ(v, 12.5L);
    EXPECT_TRUE(ReadNumber("  -3  ", kComma, v));
    EXPECT_EQ(v, -3.0L);
    EXPECT_TRUE(ReadNumber("+1,5E-3", kComma, v));
    EXPECT_EQ(v, 1.5e-3L);
    EXPECT_TRUE(ReadNumber("2e3", kPoint, v));
    EXPECT_EQ(v, 2000.0L);
    EXPECT_TRUE(ReadNumber("5,", kComma, v));
    EXPECT_EQ(v, 5.0L);
    EXPECT_TRUE(ReadNumber(",5", kComma, v));
    EXPECT_EQ(v, 0.5L);
}

// Short texts are read by one division, long ones by the C library: both round once.
TEST(ReadNumber, RoundsAsTheCLibraryWhateverTheLength)
{
    long double v = 0;
    for (const char *t : {"0,1", "12,346", "-1234,57", "1844674407370955161,5", "0,000000000000000000000000001",
                          "18446744073709551617", "0,1000000000000000000000000000001"}) {
        std::string c = t;
        std::replace(c.begin(), c.end(), ',', '.');
        EXPECT_TRUE(ReadNumber(QString::fromLatin1(t), kComma, v)) << t;
        EXPECT_EQ(v, std::strtold(c.c_str(), nullptr)) << t;
    }
    EXPECT_TRUE(ReadNumber("-0,000", kComma, v));
    EXPECT_TRUE(v == 0 && std::signbit(v));
}

TEST(ReadNumber, RefusesEverythingElse)
{
    long double v = 42;
    for (const char *bad : {"", "   ", "12.5", "abc", "1,2,3", "1E", "E5", "-", ",", "1 2", "1e5000",
                            "0x10", "1,5E+", "inf", "nan"})
        EXPECT_FALSE(ReadNumber(QString::fromLatin1(bad), kComma, v)) << bad;
    EXPECT_EQ(v, 42);
    EXPECT_FALSE(ReadNumber("12,5", kPoint, v));
}

TEST(ReadInteger, SignAndDigitsWithinRange)
{
    int32_t n = 0;
    EXPECT_TRUE(ReadInteger("17", n));
    EXPECT_EQ(n, 17);
    EXPECT_TRUE(ReadInteger("-1", n));
    EXPECT_EQ(n, -1);
    EXPECT_TRUE(ReadInteger("+2147483647", n));
    EXPECT_TRUE(ReadInteger("-2147483648", n));
    EXPECT_EQ(n, INT32_MIN);
    for (const char *bad : {"", "+", "1.0", " 1", "1 ", "2147483648", "99999999999999999999", "1e3"})
        EXPECT_FALSE(ReadInteger(QString::fromLatin1(bad), n)) << bad;
}

} // namespace
