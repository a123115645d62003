#pragma once
// Which vector instructions the pixel loops may use. GRIZAL2_PLAIN=1 in the environment
// keeps every loop on its plain path, so that the plain code is tested on machines that
// have the vector instructions too.
#include <cstdlib>

namespace cpu {

inline bool PlainForced()
{
    static const bool plain = [] {
        const char *v = std::getenv("GRIZAL2_PLAIN");
        return v && *v && *v != '0';
    }();
    return plain;
}

inline bool HasAvx2()
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx2 = __builtin_cpu_supports("avx2") && !PlainForced();
    return avx2;
#else
    return false;
#endif
}

} // namespace cpu
