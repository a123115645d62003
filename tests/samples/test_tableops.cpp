#include "base/Errors.h"
#include "base/NumberForms.h"
#include "samples/Grouping.h"
#include "samples/TableOps.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace tableops;

namespace {

std::unique_ptr<TSampleData> Make(std::vector<double> sizes, std::vector<int> counts = {})
{
    auto d = std::make_unique<TSampleData>();
    for (size_t i = 0; i < sizes.size(); ++i) {
        d->SetSize(int(i), sizes[i]);
        d->N[i] = uint16_t(counts.empty() ? 1 : counts[i]);
    }
    d->Count = uint16_t(sizes.size());
    return d;
}

std::vector<std::pair<double, int>> Elems(const TSampleData &d)
{
    std::vector<std::pair<double, int>> out;
    for (int k = 0; k < d.Count; ++k)
        out.push_back({double(d.Size(k)), d.N[k]});
    return out;
}

using E = std::vector<std::pair<double, int>>;

TEST(TableOps, DeleteAndInsertRows)
{
    auto d = Make({1, 2, 3, 4, 5});
    DeleteRow(*d, 2);
    EXPECT_EQ(Elems(*d), (E{{1, 1}, {3, 1}, {4, 1}, {5, 1}}));
    DeleteRow(*d, 8); // below the last element: the last one goes
    EXPECT_EQ(Elems(*d), (E{{1, 1}, {3, 1}, {4, 1}}));
    InsertRow(*d, 2);
    EXPECT_EQ(Elems(*d), (E{{1, 1}, {0, 0}, {3, 1}, {4, 1}}));
    InsertRow(*d, 5); // just below the last: appended
    InsertRow(*d, 50); // far below: appended too, no gap
    EXPECT_EQ(Elems(*d), (E{{1, 1}, {0, 0}, {3, 1}, {4, 1}, {0, 0}, {0, 0}}));
    auto empty = Make({});
    DeleteRow(*empty, 1);
    EXPECT_EQ(empty->Count, 0);
    auto full = std::make_unique<TSampleData>();
    full->Count = 10000;
    InsertRow(*full, 1);
    EXPECT_EQ(full->Count, 10000);
}

TEST(TableOps, Figures)
{
    auto d = Make({1, 2, 3}, {10, 20, 30});
    EXPECT_EQ(FigureLines(*d, Figure::Sum, ','), QStringList({"Сумма значений: 6,000", "Сумма количеств: 60"}));
    EXPECT_EQ(FigureLines(*d, Figure::Mean, '.'), QStringList({"Среднее значение: 2.333"}));
    EXPECT_EQ(FigureLines(*d, Figure::Min, ','), QStringList({"Минимальное значение: 1,000"}));
    EXPECT_EQ(FigureLines(*d, Figure::Max, ','), QStringList({"Максимальное значение: 3,000"}));
    EXPECT_THROW(FigureLines(*Make({1, 2}, {0, 0}), Figure::Mean, ','), MathError);
    EXPECT_THROW(FigureLines(*Make({}), Figure::Min, ','), MathError);
    EXPECT_EQ(SumOfCounts(*Make({1, 2}, {65535, 2})), 1); // a 16-bit sum
}

TEST(TableOps, UserFunctionDropsTheExtremes)
{
    QStringList lines;
    UserFunctionLines(*Make({5, 1, 9, 1, 9}), ',', lines);
    EXPECT_EQ(lines, QStringList({"Минимальное значение: 1,000 удалено", "Максимальное значение: 9,000 удалено",
                                  "Среднее значение оставшихся: 5,000"}));
    lines.clear();
    UserFunctionLines(*Make({1, 5, 7, 9}, {4, 1, 2, 3}), ',', lines);
    EXPECT_EQ(lines.last(), "Среднее значение оставшихся: 6,333");
    lines.clear();
    EXPECT_THROW(UserFunctionLines(*Make({1, 2}), ',', lines), MathError);
    EXPECT_EQ(lines.size(), 2); // the two removals are reported before the mean fails
    lines.clear();
    EXPECT_THROW(UserFunctionLines(*Make({}), ',', lines), MathError);
}

TEST(TableOps, CopyCutPasteText)
{
    SampleTable t;
    t.SetSizeText(0, "12,500");
    t.SetCountText(0, "3");
    t.SetSizeText(1, "7,000");
    t.SetSizeText(3, "4,000");
    t.SetCountText(3, "1");
    EXPECT_EQ(CopyText(t), "12,500\t3\n7,000\t\n");

    SampleTable p;
    p.SetSizeText(3, "keep");
    p.SetSizeText(5, "keep");
    PasteText(p, u"1\t2\r\n3\t4\r\n5\r\n");
    EXPECT_EQ(p.SizeText(0), "1");
    EXPECT_EQ(p.CountText(1), "4");
    EXPECT_EQ(p.SizeText(2), "5");
    EXPECT_EQ(p.SizeText(3), "keep"); // the final line end closes line 3 and starts no row
    PasteText(p, u"6\n\n");
    EXPECT_EQ(p.SizeText(1), ""); // an empty line is a row
    // A million lines fill the table and stop; the table's last line end is no line left out.
    SampleTable big;
    const QString million = QString("9\n").repeated(1000000);
    const PasteResult r = PasteText(big, million);
    EXPECT_EQ(r.rows, SampleTable::Rows);
    EXPECT_TRUE(r.linesLeftOut);
    EXPECT_EQ(big.SizeText(9999), "9");
    EXPECT_FALSE(PasteText(big, QStringView(million).left(2 * SampleTable::Rows)).linesLeftOut);
    PasteText(big, QString(300000, QChar('\t')));
    // Copy takes every row, however long: Cut clears them all after it.
    for (int r = 0; r < SampleTable::Rows; ++r)
        big.SetSizeText(r, QString(30, QChar('1')));
    EXPECT_EQ(CopyText(big).count('\n'), SampleTable::Rows);
}

// Where the sample ends, and why: what the window marks and tells.
TEST(SampleTable, FindEnd)
{
    SampleTable t;
    EXPECT_EQ(t.FindEnd(',').row0, 0);
    EXPECT_FALSE(t.FindEnd(',').leavesRows);
    t.SetSizeText(0, "1,5");
    t.SetSizeText(1, "2.5");
    t.SetSizeText(2, "3");
    SampleEnd e = t.FindEnd(',');
    EXPECT_EQ(e.row0, 1);
    EXPECT_EQ(e.reason, SampleEnd::NotANumber);
    EXPECT_TRUE(e.leavesRows);
    e = t.FindEnd('.');
    EXPECT_EQ(e.row0, 0);
    t.SetSizeText(0, "1");
    t.SetSizeText(1, " ");
    EXPECT_EQ(t.FindEnd('.').reason, SampleEnd::NoSize);
    t.SetSizeText(1, "2");
    t.SetCountText(1, "70000"); // a count does not wrap: it ends the sample
    e = t.FindEnd('.');
    EXPECT_EQ(e.row0, 1);
    EXPECT_EQ(e.reason, SampleEnd::CountOutOfRange);
    EXPECT_EQ(e.column(), 2);
    t.SetCountText(1, "-1");
    EXPECT_EQ(t.FindEnd('.').reason, SampleEnd::CountOutOfRange);
    t.SetCountText(1, "");
    t.SetSizeText(1, "1e300");
    EXPECT_EQ(t.FindEnd('.').reason, SampleEnd::TooLarge);
    auto d = std::make_unique<TSampleData>();
    EXPECT_THROW(t.GetData(*d, '.'), MathError);
}

TEST(Grouping, ByIntervals)
{
    auto d = Make({1, 2, 3, 4});
    grouping::ByIntervals(*d, 3);
    EXPECT_EQ(Elems(*d), (E{{2, 2}, {3, 1}, {4, 1}}));
    d = Make({10, 20, 30}, {5, 6, 7});
    grouping::ByIntervals(*d, 2);
    EXPECT_EQ(Elems(*d), (E{{20, 11}, {30, 7}}));
    d = Make({7, 7, 7});
    grouping::ByIntervals(*d, 3); // width 0: three empty classes at mn
    EXPECT_EQ(Elems(*d), (E{{7, 0}, {7, 0}, {7, 0}}));
    d = Make({1, 2});
    EXPECT_THROW(grouping::ByIntervals(*d, 0), MathError);
    EXPECT_EQ(d->Count, 2); // unchanged
}

// The width is stored before the boundaries are made: 0.541 / 6 held in the 6-byte form
// gives 1.270 where the extended width gives 1.271, and 0.024 / 3 falls short of the
// largest size, which then is in no class.
TEST(Grouping, ByIntervalsUsesTheStoredWidth)
{
    auto d = Make({1, 1.541});
    grouping::ByIntervals(*d, 6);
    EXPECT_EQ(numtext::Fixed6(d->Size(2), '.'), "1.270");
    EXPECT_EQ(d->N[5], 1);
    d = Make({0.001, 0.025});
    grouping::ByIntervals(*d, 3);
    EXPECT_EQ(Elems(*d).back().second, 0);
}

TEST(Grouping, ByLengthDividesTheLargestSize)
{
    auto d = Make({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    grouping::ByLength(*d, 4); // round(2.5) = 2
    EXPECT_EQ(Elems(*d), (E{{5, 5}, {9, 4}}));
    d = Make({1, 2});
    EXPECT_THROW(grouping::ByLength(*d, 0), MathError);
    d = Make({0.5, 1000});
    grouping::ByLength(*d, 1e-6); // far too many classes: cut to the capacity
    EXPECT_EQ(d->Count, 10000);
    d = Make({1, 2});
    grouping::ByLength(*d, -1);
    EXPECT_EQ(d->Count, 0);
}

TEST(Grouping, ByParticlesCountsElements)
{
    auto d = Make({5, 1, 4, 2, 3}, {9, 9, 9, 9, 9});
    grouping::ByParticles(*d, 2);
    EXPECT_EQ(Elems(*d), (E{{2, 2}, {4, 2}}));
    d = Make({3, 1, 2}, {30, 10, 20});
    EXPECT_THROW(grouping::ByParticles(*d, 0), MathError);
    EXPECT_EQ(Elems(*d), (E{{1, 10}, {2, 20}, {3, 30}})); // sorted, not grouped
    d = Make({3, 1});
    grouping::ByParticles(*d, 5);
    EXPECT_EQ(d->Count, 0);
    d = Make({3, 1});
    grouping::ByParticles(*d, -1);
    EXPECT_EQ(d->Count, 0);
}

TEST(Grouping, Proposal)
{
    std::vector<double> sizes(100, 1.0);
    sizes[40] = 50;
    auto d = Make(sizes);
    const auto p = grouping::Propose(*d);
    EXPECT_EQ(p.k0, 10);
    EXPECT_EQ(grouping::LengthText(p.L0, ','), "5,00");
    EXPECT_EQ(p.P0, 10);
    EXPECT_EQ(grouping::LengthText(12.3456L, ','), "12,30");
    EXPECT_THROW(grouping::Propose(*Make({})), MathError);
    EXPECT_THROW(grouping::Propose(*Make({1}, {0})), MathError);
}

} // namespace
