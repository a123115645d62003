// The calculator driven by a sequence of keys, one byte each. Whatever is typed, the
// accumulator stays a finite number.
#include "FuzzCommon.h"
#include "calculator/CalcEngine.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    CalcEngine calc(data[0] & 1 ? QLatin1Char('.') : QLatin1Char(','));
    for (size_t i = 1; i < size; ++i) {
        const int key = data[i] & 0xF;
        if (key <= 9)
            calc.Digit(key);
        else if (key == 10)
            calc.Comma();
        else if (key <= 14)
            calc.Operator(CalcEngine::Op(key - 10)); // + - * /
        else if (data[i] >> 4 == 0)
            calc.Root(CalcEngine::OpSqrt);
        else if (data[i] >> 4 == 1)
            calc.Root(CalcEngine::OpInvert);
        else if (data[i] >> 4 == 2)
            calc.Clear();
        else
            calc.Operator(CalcEngine::OpEnter);
        FUZZ_CHECK(std::isfinite(calc.Accumulator()));
    }
    return 0;
}
