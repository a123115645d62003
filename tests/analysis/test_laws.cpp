#include "analysis/Fits.h"
#include "analysis/Laws.h"
#include "base/Errors.h"

#include <gtest/gtest.h>
#include <cmath>
#include <memory>

using namespace laws;

namespace {

std::unique_ptr<TSampleData> Sample(std::vector<double> d, std::vector<int> n)
{
    auto s = std::make_unique<TSampleData>();
    for (size_t i = 0; i < d.size(); ++i) {
        s->SetSize(int(i), d[i]);
        s->N[i] = uint16_t(n[i]);
    }
    s->Count = uint16_t(d.size());
    return s;
}

// Three significant digits, as the report shows them.
::testing::AssertionResult Near3(long double actual, double expected)
{
    const double tol = std::fabs(expected) * 0.005 + 1e-12;
    if (std::fabs(double(actual) - expected) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << double(actual) << " is not " << expected;
}

TEST(Laws, KnownValues)
{
    EXPECT_NEAR(double(IntegralGaudin(1.7L, 12, 12)), 0.8, 1e-15);
    EXPECT_NEAR(double(MedianGaudin(1, 10)), 6.25, 1e-12);
    EXPECT_NEAR(double(IntegralRosinRammler(2, 7, 7)), 1 - std::exp(-1.0), 1e-15);
    EXPECT_NEAR(double(MedianRosinRammler(1, 10)), 6.931471805599453, 1e-12);
    EXPECT_NEAR(double(IntegralNormal(3, 20, 20)), 0.5, 1e-15);
    const long double low = IntegralNormal(1, 0, -3);
    EXPECT_GT(low, 0);
    EXPECT_NEAR(double(low), 0.00135, 0.00002);
    EXPECT_NEAR(double(DiffNormal(1, 0, 0)), 1 / std::sqrt(6.28), 1e-15);
    EXPECT_NEAR(double(DiffLogNormal(1, 0, 1)), 1 / std::sqrt(6.2832), 1e-15);
    EXPECT_THROW(DiffLogNormal(0, 0, 1), MathError);
    EXPECT_THROW(IntegralGaudin(1, 1, 0), MathError);
    EXPECT_THROW(MedianGaudin(0, 0), MathError);
    EXPECT_EQ(LawTable(0).integral, nullptr);
    EXPECT_EQ(LawTable(2).differential, &DiffRosinRammler);
}

TEST(ClassTable, TrimmingBoundsAndValues)
{
    auto s = Sample({5, 10, 20, 30, 40, 50}, {0, 5, 10, 0, 8, 0});
    const fits::ClassTable t = fits::BuildClassTable(*s, false);
    ASSERT_EQ(t.n(), 4);
    EXPECT_EQ(t.d[0], 10);
    EXPECT_EQ(t.FirstLowerBound, 0); // 2 × 10 - 20
    EXPECT_NEAR(double(t.Integral[1]), 15.0 / 23, 1e-15);
    EXPECT_EQ(t.Integral[2], t.Integral[1]); // an interior empty class repeats the value
    EXPECT_EQ(t.Integral[3], 0.9999L);
    EXPECT_EQ(fits::FirstLowerBound({10, 15}), 5);
    EXPECT_EQ(fits::FirstLowerBound({10, 25}), 0);
    const fits::ClassTable one = fits::BuildClassTable(*Sample({7}, {3}), false);
    EXPECT_EQ(one.Integral[0], 0.9999L);
    EXPECT_THROW(fits::BuildClassTable(*Sample({10, 10}, {1, 1}), false), MathError); // width 0
}

TEST(Fits, WorkedExampleByNumber)
{
    const fits::ClassTable t = fits::BuildClassTable(*Sample({10, 20, 30, 40}, {5, 10, 8, 2}), false);
    EXPECT_NEAR(double(t.Integral[2]), 0.92, 1e-15);
    EXPECT_NEAR(double(t.Diff[1]), 0.04, 1e-15);
    fits::LawFit g, r, n, l;
    fits::FitGaudin(t, g);
    EXPECT_TRUE(Near3(g.Shape, 1.20));
    EXPECT_TRUE(Near3(g.Scale, 29.1));
    EXPECT_TRUE(Near3(MedianGaudin(g.Shape, g.Scale), 19.7));
    EXPECT_TRUE(Near3(g.Q, 0.0471));
    fits::FitRosinRammler(t, r);
    EXPECT_TRUE(Near3(r.Shape, 2.58));
    EXPECT_TRUE(Near3(r.Scale, 19.0));
    EXPECT_TRUE(Near3(MedianRosinRammler(r.Shape, r.Scale), 16.5));
    EXPECT_TRUE(Near3(r.Q, 0.00865));
    fits::FitNormal(t, n);
    EXPECT_TRUE(Near3(n.Shape, 10.4));
    EXPECT_TRUE(Near3(n.Scale, 25.0));
    EXPECT_TRUE(Near3(n.Q, 0.158));
    std::vector<long double> q;
    fits::FitLogNormal(t, l, &q);
    ASSERT_EQ(q.size(), 4u);
    EXPECT_TRUE(Near3(q[0], -0.834));
    EXPECT_TRUE(Near3(q[1], 0.244));
    EXPECT_TRUE(Near3(q[2], 1.385));
    EXPECT_TRUE(Near3(q[3], 2.885));
    EXPECT_TRUE(Near3(l.Shape, 0.392));
    EXPECT_TRUE(Near3(l.Scale, 2.74));
    EXPECT_TRUE(Near3(l.Q, 0.0269));
}

TEST(Fits, WorkedExampleByVolume)
{
    const fits::ClassTable t = fits::BuildClassTable(*Sample({10, 20, 30, 40}, {5, 10, 8, 2}), true);
    EXPECT_TRUE(Near3(t.Integral[0], 0.01166));
    EXPECT_TRUE(Near3(t.Integral[1], 0.1981));
    EXPECT_TRUE(Near3(t.Integral[2], 0.7016));
    fits::LawFit g, r, n, l;
    fits::FitGaudin(t, g);
    fits::FitRosinRammler(t, r);
    fits::FitNormal(t, n);
    fits::FitLogNormal(t, l);
    EXPECT_TRUE(Near3(g.Shape, 3.31));
    EXPECT_TRUE(Near3(g.Scale, 33.6));
    EXPECT_TRUE(Near3(g.Q, 0.208));
    EXPECT_TRUE(Near3(r.Shape, 4.66));
    EXPECT_TRUE(Near3(r.Scale, 26.8));
    EXPECT_TRUE(Near3(r.Q, 0.0143));
    EXPECT_TRUE(Near3(n.Shape, 10.4));
    EXPECT_TRUE(Near3(n.Q, 0.0235));
    EXPECT_TRUE(Near3(l.Shape, 0.264));
    EXPECT_TRUE(Near3(l.Scale, 3.03));
    EXPECT_TRUE(Near3(l.Q, 0.107));
}

TEST(Fits, FaultsKeepWhatWasStored)
{
    fits::LawFit g;
    const fits::ClassTable one = fits::BuildClassTable(*Sample({10}, {5}), false);
    EXPECT_THROW(fits::FitGaudin(one, g), MathError);
    EXPECT_EQ(g.Shape, 0);
    EXPECT_EQ(g.Scale, 0);
    // A search that cannot reach its target in 50 passes still gives parameters.
    fits::LawFit l;
    std::vector<double> d(100);
    std::vector<int> n(100, 1);
    for (int i = 0; i < 100; ++i)
        d[size_t(i)] = i + 1;
    n[0] = 65535; // the first target lies far beyond 50 steps of 2 / 100
    const fits::ClassTable far = fits::BuildClassTable(*Sample(d, n), false);
    EXPECT_FALSE(fits::FitLogNormal(far, l));
    EXPECT_NE(l.Shape, 0);
}

} // namespace
