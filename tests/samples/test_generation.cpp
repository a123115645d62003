#include "analysis/Laws.h"
#include "base/Errors.h"
#include "samples/Generation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

const generation::DiffCurve Rosin = laws::DiffRosinRammler;

long double Faulty(long double, long double, long double d)
{
    if (d > 20)
        throw MathError(mathtext::ZeroDivide);
    return 0.01L;
}

generation::Params Defaults()
{
    generation::Params p;
    p.points = 1000;
    p.a = StoredValue(3.26L);
    p.b = 176;
    p.d1 = 0;
    p.d2 = 300;
    return p;
}

// The dialog's fields and the command line's options are read by the one function.
TEST(Generation, ReadingTheFields)
{
    generation::Params p;
    EXPECT_EQ(generation::ReadParams("3,26", "176", "0", "300", ',', p), nullptr);
    EXPECT_EQ(p.a, StoredValue(3.26L));
    EXPECT_NE(p.a, 3.26L); // the 6-byte form, not the typed decimal
    EXPECT_EQ(p.d2, 300.0L);
    EXPECT_EQ(generation::ReadParams("3.26", "176", "0", "300", ',', p), generation::kBadParams);
    EXPECT_EQ(generation::ReadParams("1", "1e40", "0", "300", '.', p), generation::kBadParams); // not storable
    EXPECT_EQ(generation::ReadParams("1", "2", "300", "300", '.', p), generation::kBadRange);
    EXPECT_EQ(generation::ClampPoints(0), 1);
    EXPECT_EQ(generation::ClampPoints(5000), 1000);
}

TEST(Generation, DefaultsOfTheDialog)
{
    auto d = std::make_unique<TSampleData>();
    ASSERT_TRUE(generation::Generate(Defaults(), Rosin, *d));
    ASSERT_EQ(d->Count, 32);
    EXPECT_EQ(d->Size(0), 9.375L);
    EXPECT_EQ(d->Size(31), 300.0L);
    const int first[] = {0, 1, 3, 5, 9};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(d->N[k], first[k]) << k;
    EXPECT_EQ(d->Size(15), 150.0L);
    EXPECT_EQ(d->N[15], 67);
    EXPECT_EQ(d->N[16], 67);
    EXPECT_EQ(d->N[30], 3);
    EXPECT_EQ(d->N[31], 2);
    int total = 0;
    for (int k = 0; k < d->Count; ++k)
        total += d->N[k];
    EXPECT_EQ(total, 999);
}

TEST(Generation, ClassesAndStart)
{
    auto d = std::make_unique<TSampleData>();
    generation::Params p = Defaults();
    p.d1 = 50;
    ASSERT_TRUE(generation::Generate(p, Rosin, *d));
    EXPECT_EQ(d->Count, 32);
    EXPECT_EQ(d->Size(0), 50.0L);
    EXPECT_EQ(d->Size(31), 292.1875L);
    for (int n : {1, 2, 3}) {
        p.points = n;
        ASSERT_TRUE(generation::Generate(p, Rosin, *d));
        EXPECT_EQ(d->Count, n == 3 ? 2 : 1);
    }
    p.points = 1;
    p.d1 = -10;
    p.d2 = 30;
    ASSERT_TRUE(generation::Generate(p, Rosin, *d));
    EXPECT_EQ(d->Size(0), 40.0L); // x0 = 0: sizes h .. d2 - d1
    EXPECT_EQ(generation::ClampPoints(0), 1);
    EXPECT_EQ(generation::ClampPoints(5000), 1000);
}

TEST(Generation, AFaultKeepsTheClassesBeforeIt)
{
    auto d = std::make_unique<TSampleData>();
    generation::Params p = Defaults();
    p.points = 100; // 10 classes of 30
    p.d2 = 100;
    EXPECT_FALSE(generation::Generate(p, Faulty, *d));
    EXPECT_EQ(d->Count, 2); // 10 and 20; the third class faulted
    // A count too large to round.
    auto huge = [](long double, long double, long double) { return 1e30L; };
    EXPECT_FALSE(generation::Generate(p, huge, *d));
    EXPECT_EQ(d->Count, 0);
}

} // namespace
