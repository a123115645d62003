#pragma once
// A synthetic, already grouped sample that follows a distribution law's differential curve.
#include "samples/SampleData.h"

#include <QCoreApplication>
#include <QString>

namespace generation {

// A law's differential curve P(d), called as (first parameter, second parameter, d).
using DiffCurve = long double (*)(long double a, long double b, long double d);

struct Params {
    int points = 1000; // n, 1..1000
    long double a = 0, b = 0, d1 = 0, d2 = 0;
};

// The dialog's number of points: 1..1000, values outside brought to the nearer limit.
constexpr int kMinPoints = 1, kMaxPoints = 1000;
int ClampPoints(long long n);

// The dialog's four number fields (a, b, from, to) as its OK reads them, each in the 6-byte
// form, into `p`. Returns the message that ends the command (a text that is no number or
// cannot be stored, an empty range), or null.
const char *ReadParams(const QString &a, const QString &b, const QString &from, const QString &to, QChar sep,
                       Params &p);

// Builds the classes into `out`: m = √n rounded classes of width h from x0, counts
// f(a, b, D[k]) × h × n rounded. Returns false after an arithmetic fault; `out` then holds
// the classes completed before it.
bool Generate(const Params &p, DiffCurve f, TSampleData &out);

// Messages of the command, in context "Generation".
inline const char *kBadParams = QT_TRANSLATE_NOOP("Generation", "Неверно указаны параметры распределения");
inline const char *kBadRange =
    QT_TRANSLATE_NOOP("Generation", "Минимальный диаметр частиц должен быть меньше максимального");
inline const char *kCannotGenerate =
    QT_TRANSLATE_NOOP("Generation", "Невозможно сформировать выборку при указанных параметрах");

} // namespace generation
