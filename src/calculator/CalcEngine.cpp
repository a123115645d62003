#include "calculator/CalcEngine.h"

#include "base/Errors.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <cfloat>
#include <cmath>

const char *CalcEngine::FailedMessage = QT_TRANSLATE_NOOP("CalcEngine", "Невозможно выполнить операцию!");

CalcEngine::CalcEngine(QChar sep) : sep_(sep) {}

void CalcEngine::Digit(int d)
{
    if (d < 0 || d > 9)
        return;
    const QChar c(QLatin1Char(char('0' + d)));
    if (!entering_) {
        display_ = c;
        entering_ = true;
        return;
    }
    // A lone zero does not grow more zeros; the other digits always append.
    if (d == 0 && display_ == QLatin1String("0"))
        return;
    display_ += c;
}

void CalcEngine::Comma()
{
    if (display_ == QLatin1String("0")) {
        display_ = QStringLiteral("0") + sep_;
        entering_ = true;
    }
    if (!display_.contains(sep_))
        display_ += sep_;
}

QString CalcEngine::Operator(Op code)
{
    if (code < OpEnter || code > OpDiv)
        return {};
    if (!entering_) {
        pendingOp_ = code;
        return {};
    }
    bool ok = true;
    const QString message = Calculate(ok);
    if (!ok)
        return message;
    pendingOp_ = code;
    entering_ = false;
    return message;
}

QString CalcEngine::Root(Op code)
{
    if (code != OpSqrt && code != OpInvert)
        return {};
    const Op old = pendingOp_;
    pendingOp_ = code;
    bool ok = true;
    const QString message = Calculate(ok);
    if (!ok) {
        pendingOp_ = old;
        return message;
    }
    entering_ = false;
    return message;
}

void CalcEngine::Clear()
{
    display_ = QStringLiteral("0");
    accumulator_ = 0;
    pendingOp_ = OpEnter;
    entering_ = false;
}

double CalcEngine::Apply(Op op, double accumulator, long double x)
{
    const long double a = accumulator;
    long double r = a;
    switch (op) {
    case OpEnter: r = x; break;
    case OpPlus: r = a + x; break;
    case OpMinus: r = a - x; break;
    case OpMult: r = a * x; break;
    case OpDiv:
        if (x == 0)
            throw MathError(QString::fromUtf8(a == 0 ? mathtext::Invalid : mathtext::ZeroDivide));
        r = a / x;
        break;
    case OpSqrt:
        if (x >= 0)
            r = std::sqrt(x);
        break;
    case OpInvert:
        if (x != 0) {
            const long double inv = 1 / x;
            if (inv < 0)
                throw MathError(QString::fromUtf8(mathtext::Invalid));
            r = std::sqrt(inv);
        }
        break;
    default: break;
    }
    if (std::isnan(r))
        throw MathError(QString::fromUtf8(mathtext::Invalid));
    if (!std::isfinite(r) || std::fabs(r) > DBL_MAX)
        throw MathError(QString::fromUtf8(mathtext::Overflow));
    return double(r);
}

QString CalcEngine::Calculate(bool &ok)
{
    long double x = 0;
    if (!numtext::ReadNumber(display_, sep_, x)) {
        ok = false;
        return QStringLiteral("'%1' is not a valid floating point value").arg(display_.left(64));
    }
    ok = true;
    QString message;
    try {
        accumulator_ = Apply(pendingOp_, accumulator_, x);
    } catch (const MathError &) {
        message = QCoreApplication::translate("CalcEngine", FailedMessage);
    }
    display_ = numtext::FormatGeneral(accumulator_, sep_);
    return message;
}
