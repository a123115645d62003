#pragma once
// The program's error types. Lower layers raise them with their own texts; a command
// catches them and shows its fixed message, or lets them reach the application's
// general handler, which shows the text and keeps running.
#include <QString>
#include <stdexcept>

class GrizalError : public std::runtime_error {
public:
    explicit GrizalError(const QString &text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// An arithmetic fault: division by zero, logarithm or root out of domain, overflow,
// a non-finite result.
class MathError : public GrizalError {
public:
    using GrizalError::GrizalError;
};

namespace mathtext {
inline const char *Overflow = "Floating point overflow";
inline const char *ZeroDivide = "Floating point division by zero";
inline const char *Invalid = "Invalid floating point operation";
}
