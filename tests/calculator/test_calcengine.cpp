// The calculator driven key by key, as a user presses the buttons.
#include "calculator/CalcEngine.h"
#include "base/Errors.h"

#include <QStringList>
#include <cfloat>
#include <gtest/gtest.h>

namespace {

// Keys as captions: digits, ",", "+", "-", "*", "/", "=", "Sqrt", "1/x", "c".
// Returns the messages shown, joined with '|'.
QString Press(CalcEngine &c, const QStringList &keys)
{
    QStringList messages;
    for (const QString &k : keys) {
        QString m;
        if (k.size() == 1 && k[0].isDigit())
            c.Digit(k[0].digitValue());
        else if (k == ",")
            c.Comma();
        else if (k == "+")
            m = c.Operator(CalcEngine::OpPlus);
        else if (k == "-")
            m = c.Operator(CalcEngine::OpMinus);
        else if (k == "*")
            m = c.Operator(CalcEngine::OpMult);
        else if (k == "/")
            m = c.Operator(CalcEngine::OpDiv);
        else if (k == "=")
            m = c.Operator(CalcEngine::OpEnter);
        else if (k == "Sqrt")
            m = c.Root(CalcEngine::OpSqrt);
        else if (k == "1/x")
            m = c.Root(CalcEngine::OpInvert);
        else if (k == "c")
            c.Clear();
        if (!m.isEmpty())
            messages << m;
    }
    return messages.join('|');
}

QString Keys(const QStringList &keys, QChar sep = ',')
{
    CalcEngine c(sep);
    Press(c, keys);
    return c.Display();
}

const QString kFailed = QString::fromUtf8(CalcEngine::FailedMessage);

} // namespace

TEST(CalcEngine, StartsClear)
{
    CalcEngine c;
    EXPECT_EQ(c.Display(), "0");
    EXPECT_EQ(c.Accumulator(), 0);
    EXPECT_EQ(c.PendingOp(), 0);
    EXPECT_FALSE(c.Entering());
}

TEST(CalcEngine, BasicArithmeticAndRepeatedEquals)
{
    CalcEngine c;
    Press(c, {"2", "+", "3", "="});
    EXPECT_EQ(c.Display(), "5");
    Press(c, {"="});
    EXPECT_EQ(c.Display(), "5");
    EXPECT_EQ(c.Accumulator(), 5);
    EXPECT_EQ(Keys({"7", "-", "9", "="}), "-2");
    EXPECT_EQ(Keys({"1", "2", "*", "1", "2", "="}), "144");
    EXPECT_EQ(Keys({"1", "/", "4", "="}), "0,25");
    // Chained operators compute as they go, left to right.
    EXPECT_EQ(Keys({"2", "+", "3", "*", "4", "="}), "20");
    // A number typed after a result starts a new one.
    EXPECT_EQ(Keys({"2", "+", "3", "=", "4", "="}), "4");
}

TEST(CalcEngine, SecondOperatorReplacesFirst)
{
    EXPECT_EQ(Keys({"2", "+", "*", "3", "="}), "6");
    EXPECT_EQ(Keys({"8", "/", "-", "+", "3", "="}), "11");
}

TEST(CalcEngine, SquareRootAndRootOfReciprocal)
{
    EXPECT_EQ(Keys({"9", "Sqrt"}), "3");
    EXPECT_EQ(Keys({"4", "1/x"}), "0,5");
    EXPECT_EQ(Keys({"2", "Sqrt"}), "1,4142135623731");
    // Zero for 1/x and a negative value for Sqrt leave the accumulator as it was.
    EXPECT_EQ(Keys({"0", "1/x"}), "0");
    EXPECT_EQ(Keys({"7", "+", "0", "1/x"}), "7");
    CalcEngine c;
    EXPECT_EQ(Press(c, {"3", "-", "5", "=", "Sqrt"}), "");
    EXPECT_EQ(c.Display(), "-2");
    // The root stays the pending operation: the next number typed is rooted by "=".
    CalcEngine d;
    Press(d, {"9", "Sqrt"});
    EXPECT_EQ(d.PendingOp(), CalcEngine::OpSqrt);
    Press(d, {"1", "6", "="});
    EXPECT_EQ(d.Display(), "4");
    // The root replaces a pending operation.
    EXPECT_EQ(Keys({"5", "+", "1", "6", "Sqrt"}), "4");
}

TEST(CalcEngine, FaultsShowTheMessageAndKeepTheAccumulator)
{
    CalcEngine c;
    EXPECT_EQ(Press(c, {"5", "/", "0", "="}), kFailed);
    EXPECT_EQ(c.Display(), "5");
    EXPECT_EQ(c.Accumulator(), 5);
    EXPECT_EQ(c.PendingOp(), CalcEngine::OpEnter);
    EXPECT_FALSE(c.Entering());
    EXPECT_EQ(Press(c, {"+", "1", "="}), "");
    EXPECT_EQ(c.Display(), "6");

    CalcEngine z;
    EXPECT_EQ(Press(z, {"0", "/", "0", "="}), kFailed);
    EXPECT_EQ(z.Display(), "0");

    // The root of a negative reciprocal.
    CalcEngine n;
    EXPECT_EQ(Press(n, {"3", "-", "5", "=", "1/x"}), kFailed);
    EXPECT_EQ(n.Display(), "-2");
}

TEST(CalcEngine, OverflowOfTheSixtyFourBitRange)
{
    // 1E300 * 1E300 fits extended precision but not the 64-bit accumulator.
    CalcEngine c;
    QStringList big{"1"};
    for (int i = 0; i < 300; ++i)
        big << "0";
    Press(c, big);
    Press(c, {"="});
    EXPECT_EQ(c.Display(), "1E300");
    Press(c, {"*"});
    Press(c, big);
    EXPECT_EQ(Press(c, {"="}), kFailed);
    EXPECT_EQ(c.Display(), "1E300");
    // A typed number beyond the range fails too, and leaves the old result.
    CalcEngine d;
    Press(d, {"4", "="});
    QStringList huge{"9"};
    for (int i = 0; i < 400; ++i)
        huge << "9";
    Press(d, huge);
    EXPECT_EQ(Press(d, {"="}), kFailed);
    EXPECT_EQ(d.Display(), "4");
    EXPECT_THROW(CalcEngine::Apply(CalcEngine::OpMult, DBL_MAX, 2), MathError);
    EXPECT_THROW(CalcEngine::Apply(CalcEngine::OpDiv, 1, 0), MathError);
    EXPECT_THROW(CalcEngine::Apply(CalcEngine::OpInvert, 1, -4), MathError);
    EXPECT_EQ(CalcEngine::Apply(CalcEngine::OpSqrt, 7, -4), 7);
    // The root of the reciprocal of a value too small for 64 bits still fits.
    EXPECT_NEAR(CalcEngine::Apply(CalcEngine::OpInvert, 0, 1e-320L), 1e160, 1e146);
}

TEST(CalcEngine, DigitEntry)
{
    EXPECT_EQ(Keys({"0", "0"}), "0");
    EXPECT_EQ(Keys({"0", "7"}), "07");
    EXPECT_EQ(Keys({"0", "7", "="}), "7");
    EXPECT_EQ(Keys({"1", "0", "0"}), "100");
    EXPECT_EQ(Keys({","}), "0,");
    EXPECT_EQ(Keys({",", ",", "5", ","}), "0,5");
    EXPECT_EQ(Keys({"3", ",", "2", "5", "*", "4", "="}), "13");
    // A comma after a result is appended to it; the next digit replaces the whole.
    CalcEngine c;
    Press(c, {"2", "+", "3", "=", ","});
    EXPECT_EQ(c.Display(), "5,");
    Press(c, {"7"});
    EXPECT_EQ(c.Display(), "7");
    // A lone "0" after a result takes a comma and goes on as an entry.
    CalcEngine z;
    Press(z, {"5", "-", "5", "=", ",", "2", "="});
    EXPECT_EQ(z.Display(), "0,2");
}

TEST(CalcEngine, ClearForgetsEverything)
{
    CalcEngine c;
    Press(c, {"2", "+", "3", "c"});
    EXPECT_EQ(c.Display(), "0");
    EXPECT_EQ(c.Accumulator(), 0);
    EXPECT_EQ(c.PendingOp(), 0);
    EXPECT_FALSE(c.Entering());
    Press(c, {"4", "="});
    EXPECT_EQ(c.Display(), "4");
}

TEST(CalcEngine, FollowsTheDecimalSeparator)
{
    EXPECT_EQ(Keys({"1", "/", "8", "="}, '.'), "0.125");
    EXPECT_EQ(Keys({",", "5", "+", "1", "="}, '.'), "1.5");
    EXPECT_EQ(Keys({"1", "0", "0", "0", "0", "0", "/", "3", "="}), "33333,3333333333");
    // Results in exponent form keep working.
    EXPECT_EQ(Keys({"1", "/", "3", "0", "0", "0", "0", "0", "0", "="}), "3,33333333333333E-7");
}

TEST(CalcEngine, TextThatIsNotANumberChangesNothing)
{
    // A result in exponent form with a separator appended cannot be read back; the key
    // that needs it reports the conversion and leaves every state as it was.
    CalcEngine c;
    QStringList big{"1"};
    for (int i = 0; i < 20; ++i)
        big << "0";
    Press(c, big);
    Press(c, {"=", ","});
    ASSERT_EQ(c.Display(), "1E20,");
    const QString m = c.Root(CalcEngine::OpSqrt);
    EXPECT_TRUE(m.contains("not a valid floating point value")) << m.toStdString();
    EXPECT_EQ(c.Display(), "1E20,");
    EXPECT_EQ(c.PendingOp(), CalcEngine::OpEnter);
    EXPECT_EQ(c.Accumulator(), 1e20);
    // Too many digits for any number also fails the conversion, without a crash.
    CalcEngine d;
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << "9";
    Press(d, many);
    EXPECT_FALSE(Press(d, {"="}).isEmpty());
    EXPECT_TRUE(d.Entering());
}

TEST(CalcEngine, IgnoresUnknownKeys)
{
    CalcEngine c;
    c.Digit(12);
    c.Digit(-1);
    EXPECT_EQ(c.Operator(CalcEngine::Op(7)), "");
    EXPECT_EQ(c.Root(CalcEngine::OpPlus), "");
    EXPECT_EQ(c.Display(), "0");
    EXPECT_EQ(c.PendingOp(), 0);
}
