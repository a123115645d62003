// Stand-in user-function libraries for the loader's tests, one per FAKE_KIND:
// 1 three functions of which the second has no entry point; 2 claims 150 functions;
// 3 has functions but no count or names.
#include "G2AddFunctions.h"

#include <cstring>

namespace {
unsigned char table[150][G2_ADD_FUNCTION_NAME_SIZE];
void Name(int i, const char *text)
{
    table[i][0] = static_cast<unsigned char>(std::strlen(text));
    std::memcpy(&table[i][1], text, std::strlen(text));
}
} // namespace

extern "C" {
#if FAKE_KIND != 3
G2_EXPORT int32_t Get_N_G2AddFunctions(void) { return FAKE_KIND == 1 ? 3 : 150; }
G2_EXPORT const unsigned char *Get_Names_G2AddFunctions(void)
{
    Name(0, "Первая");
    Name(1, "Вторая");
    // The longest name a table can hold.
    static char longest[256];
    std::memset(longest, 'x', 255);
    Name(2, longest);
    for (int i = 3; i < 150; ++i)
        Name(i, "f");
    return &table[0][0];
}
#endif

G2_EXPORT double function1(uint8_t *pixels, int32_t width, int32_t height, int32_t stride)
{
    // Paints the first pixel red and reports the picture's geometry.
    pixels[0] = 255, pixels[1] = 0, pixels[2] = 0;
    return width * 1000000.0 + height * 1000.0 + (stride == width * 4 ? 1 : 0);
}

G2_EXPORT double function3(uint8_t *, int32_t, int32_t, int32_t) { return 2.5; }

#if FAKE_KIND == 2
G2_EXPORT double function100(uint8_t *, int32_t, int32_t, int32_t) { return 100; }
G2_EXPORT double function101(uint8_t *, int32_t, int32_t, int32_t) { return 101; }
#endif
}
