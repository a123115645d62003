#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "samples/SampleTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace datafiles;

namespace {

std::unique_ptr<TSampleData> Sample(std::initializer_list<std::pair<long double, int>> elems)
{
    auto d = std::make_unique<TSampleData>();
    for (auto [size, count] : elems) {
        d->SetSize(d->Count, size);
        d->N[d->Count] = uint16_t(count);
        ++d->Count;
    }
    return d;
}

QByteArray HandBuiltGrz(uint16_t count, int n)
{
    QByteArray b(16 + 8 * n, '\0');
    b[12] = char(count & 0xFF);
    b[13] = char(count >> 8);
    for (int k = 0; k < n; ++k) {
        b[14 + 6 * k] = char(129 + k); // 2^k
        b[14 + 6 * n + 2 * k] = char(k + 1);
        b[14 + 6 * n + 2 * k + 1] = char(1); // count 256 + k + 1
    }
    return b;
}

TEST(GrzFile, ByteLayoutOfTheWrittenFile)
{
    auto d = Sample({{1.0L, 3}, {-2.0L, 258}});
    const QByteArray b = EncodeGrz(*d);
    ASSERT_EQ(b.size(), 80016);
    EXPECT_EQ(uint8_t(b[12]), 2);
    EXPECT_EQ(uint8_t(b[13]), 0);
    EXPECT_EQ(uint8_t(b[14]), 129);                  // D[1] exponent
    EXPECT_EQ(uint8_t(b[20]), 130);                  // D[2] exponent
    EXPECT_EQ(uint8_t(b[25]), 0x80);                 // D[2] sign bit
    EXPECT_EQ(uint8_t(b[60014]), 3);                 // N[1]
    EXPECT_EQ(uint8_t(b[60016]), 2);                 // N[2] low byte
    EXPECT_EQ(uint8_t(b[60017]), 1);                 // N[2] high byte
    TSampleData back;
    ASSERT_TRUE(DecodeGrz(b, back));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(&back), sizeof back), b);
}

TEST(GrzFile, ShortFilesHoldOnlyTheirElements)
{
    TSampleData d;
    ASSERT_TRUE(DecodeGrz(HandBuiltGrz(3, 3), d));
    EXPECT_EQ(d.Count, 3);
    EXPECT_EQ(d.Size(0), 1.0L);
    EXPECT_EQ(d.Size(2), 4.0L);
    EXPECT_EQ(d.N[0], 257);
    EXPECT_EQ(d.N[2], 259);
    ASSERT_TRUE(DecodeGrz(HandBuiltGrz(0, 0), d));
    EXPECT_EQ(d.Count, 0);
    ASSERT_TRUE(DecodeGrz(HandBuiltGrz(1, 10000), d));
}

TEST(GrzFile, RefusesFilesThatAreNotSampleRecords)
{
    TSampleData d;
    d.Count = 77;
    EXPECT_FALSE(DecodeGrz(QByteArray(), d));
    EXPECT_FALSE(DecodeGrz(QByteArray(15, '\0'), d));
    EXPECT_FALSE(DecodeGrz(HandBuiltGrz(0, 2) + "x", d));     // not 16 + 8n
    EXPECT_FALSE(DecodeGrz(HandBuiltGrz(3, 2), d));           // Count beyond the elements
    EXPECT_FALSE(DecodeGrz(HandBuiltGrz(0, 10001), d));       // beyond the capacity
    QByteArray big = EncodeGrz(TSampleData());
    big[12] = char(0x11);
    big[13] = char(0x27); // 10001
    EXPECT_FALSE(DecodeGrz(big, d));
    EXPECT_EQ(d.Count, 77); // untouched

    QTemporaryDir dir;
    const QString name = dir.filePath("broken.grz");
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a sample");
    f.close();
    QString error;
    EXPECT_FALSE(ReadGrz(name, d, error));
    EXPECT_TRUE(error.contains(name));
    EXPECT_FALSE(ReadGrz(dir.filePath("missing.grz"), d, error));
    EXPECT_TRUE(error.contains("missing.grz"));
}

TEST(TxtFile, GeneralFormTabAndCrLf)
{
    auto d = Sample({{12.5L, 3}, {7, 1}});
    EXPECT_EQ(EncodeTxt(*d, ','), QByteArray("12,5\t3\r\n7\t1\r\n"));
    EXPECT_EQ(EncodeTxt(*d, '.'), QByteArray("12.5\t3\r\n7\t1\r\n"));
    EXPECT_EQ(EncodeTxt(TSampleData(), ','), QByteArray());
}

TEST(SaveByExtension, RecordTextOrNothing)
{
    auto d = Sample({{12.5L, 3}});
    QByteArray bytes;
    ASSERT_TRUE(EncodeForFile("/a/b.Grz", *d, ',', bytes));
    EXPECT_EQ(bytes, EncodeGrz(*d));
    ASSERT_TRUE(EncodeForFile("b.TXT", *d, ',', bytes));
    EXPECT_EQ(bytes, "12,5\t3\r\n");
    EXPECT_FALSE(EncodeForFile("b.dat", *d, ',', bytes));
    EXPECT_FALSE(EncodeForFile("grz", *d, ',', bytes));
}

TEST(Append, PlacesTheFileAfterTheWindowUpToTheCapacity)
{
    auto w = std::make_unique<TSampleData>();
    auto f = std::make_unique<TSampleData>();
    w->Count = 5000;
    f->Count = 7000;
    for (int k = 0; k < 7000; ++k) {
        f->SetSize(k, k + 1);
        f->N[k] = uint16_t(k);
    }
    AppendSample(*w, *f);
    EXPECT_EQ(w->Count, 10000);
    EXPECT_EQ(w->Size(5000), 1.0L);
    EXPECT_EQ(w->Size(9999), 5000.0L);
    EXPECT_EQ(w->N[9999], 4999);
}

class TableTest : public ::testing::TestWithParam<char> {
protected:
    QChar sep() const { return QChar(GetParam()); }
    QString num(const char *t) const { return QString::fromLatin1(t).replace(',', sep()); }
    SampleTable table;
    TSampleData data;
};

TEST_P(TableTest, CountIsTheLeadingRowsWithANumber)
{
    table.GetData(data, sep());
    EXPECT_EQ(data.Count, 0);
    table.SetSizeText(1, "5");
    table.GetData(data, sep());
    EXPECT_EQ(data.Count, 0); // first size cell empty, rows below not looked at
    table.SetSizeText(0, "5");
    table.SetSizeText(1, "");
    table.SetSizeText(2, "7");
    table.GetData(data, sep());
    EXPECT_EQ(data.Count, 1);
    EXPECT_EQ(data.Size(0), 5.0L);
}

TEST_P(TableTest, CountCells)
{
    // A count no 16-bit count holds ends the sample instead of wrapping.
    const char *counts[] = {"", "abc", "0", "65535", "3", "65536"};
    const uint16_t expected[] = {1, 1, 0, 65535, 3};
    for (int r = 0; r < 6; ++r) {
        table.SetSizeText(r, num("1,5"));
        table.SetCountText(r, counts[r]);
    }
    table.GetData(data, sep());
    ASSERT_EQ(data.Count, 5);
    EXPECT_EQ(data.Size(0), 1.5L);
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(data.N[r], expected[r]) << r;
}

TEST_P(TableTest, SetDataWritesFixed6AndClearsTheRest)
{
    for (int r = 0; r < 10; ++r)
        table.SetSizeText(r, "9");
    auto d = Sample({{12.3456L, 2}, {0.12345L, 1}, {1234567, 65535}});
    table.SetData(*d, sep());
    EXPECT_EQ(table.SizeText(0), num("12,346"));
    EXPECT_EQ(table.SizeText(1), num("0,123"));
    EXPECT_EQ(table.SizeText(2), num("1,23457E006"));
    EXPECT_EQ(table.CountText(2), "65535");
    EXPECT_EQ(table.SizeText(3), "");
    EXPECT_EQ(table.CountText(9), "");
    table.GetData(data, sep());
    EXPECT_EQ(data.Count, 3);
    EXPECT_EQ(data.Size(2), 1234570.0L);
}

TEST_P(TableTest, OverflowingSizeRaises)
{
    table.SetSizeText(0, "1E39");
    EXPECT_THROW(table.GetData(data, sep()), MathError);
}

TEST_P(TableTest, FullTableReadsTenThousand)
{
    for (int r = 0; r < SampleTable::Rows; ++r)
        table.SetSizeText(r, "1");
    table.GetData(data, sep());
    EXPECT_EQ(data.Count, 10000);
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, TableTest, ::testing::Values(',', '.'));

} // namespace
