#pragma once
// The calculator's state machine, apart from its window so that it can be driven and
// tested without one. Every key returns the message the window must show, if any.
#include <QChar>
#include <QString>

class CalcEngine {
public:
    enum Op { OpEnter = 0, OpPlus = 1, OpMinus = 2, OpMult = 3, OpDiv = 4, OpSqrt = 10, OpInvert = 11 };

    // `sep` is the decimal separator of the number format; the comma key writes it.
    explicit CalcEngine(QChar sep = QLatin1Char(','));

    void Digit(int d);
    void Comma();
    // "+", "-", "*", "/" and "=".
    QString Operator(Op code);
    // "Sqrt" and "1/x".
    QString Root(Op code);
    void Clear();

    const QString &Display() const { return display_; }
    double Accumulator() const { return accumulator_; }
    Op PendingOp() const { return pendingOp_; }
    bool Entering() const { return entering_; }
    QChar Separator() const { return sep_; }

    // One operation on the accumulator, in extended precision; throws MathError on any
    // arithmetic fault, including a result beyond the accumulator's 64-bit range.
    static double Apply(Op op, double accumulator, long double x);

    static const char *FailedMessage; // in context "CalcEngine"

private:
    // Applies the pending operation to the display; returns the message to show.
    // On a conversion failure nothing changes and `ok` is false.
    QString Calculate(bool &ok);

    QChar sep_;
    QString display_ = QStringLiteral("0");
    double accumulator_ = 0;
    Op pendingOp_ = OpEnter;
    bool entering_ = false;
};
