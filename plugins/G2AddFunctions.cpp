// The example library of user functions shipped with the program.
#include "G2AddFunctions.h"

#include <cstring>
#include <vector>

namespace {

const char *const kNames[] = {
    "Средняя яркость",              // mean of (R + G + B) / 3, 0..255
    "Доля темных пикселей, %",      // pixels whose brightness is below half
    "Число различных цветов",       // distinct 24-bit colours
    "Негатив (число пикселей)",     // inverts the picture, returns the pixel count
};
constexpr int kCount = int(sizeof kNames / sizeof kNames[0]);

const unsigned char *NameTable()
{
    static unsigned char table[kCount][G2_ADD_FUNCTION_NAME_SIZE];
    static bool built = false;
    if (!built) {
        for (int i = 0; i < kCount; ++i) {
            size_t n = std::strlen(kNames[i]);
            if (n > 255)
                n = 255;
            table[i][0] = static_cast<unsigned char>(n);
            std::memcpy(&table[i][1], kNames[i], n);
        }
        built = true;
    }
    return &table[0][0];
}

bool Valid(const uint8_t *pixels, int32_t width, int32_t height, int32_t stride)
{
    return pixels && width > 0 && height > 0 && stride >= width * 4;
}

} // namespace

extern "C" {

G2_EXPORT int32_t Get_N_G2AddFunctions(void) { return kCount; }

G2_EXPORT const unsigned char *Get_Names_G2AddFunctions(void) { return NameTable(); }

G2_EXPORT double function1(uint8_t *pixels, int32_t width, int32_t height, int32_t stride)
{
    if (!Valid(pixels, width, height, stride))
        return 0;
    unsigned long long sum = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *p = pixels + size_t(y) * size_t(stride);
        unsigned long long row = 0;
        for (int32_t x = 0; x < width; ++x, p += 4)
            row += unsigned(p[0]) + p[1] + p[2];
        sum += row;
    }
    return double(sum) / 3.0 / (double(width) * double(height));
}

G2_EXPORT double function2(uint8_t *pixels, int32_t width, int32_t height, int32_t stride)
{
    if (!Valid(pixels, width, height, stride))
        return 0;
    unsigned long long dark = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *p = pixels + size_t(y) * size_t(stride);
        for (int32_t x = 0; x < width; ++x, p += 4)
            dark += (unsigned(p[0]) + p[1] + p[2]) < 3u * 128u;
    }
    return 100.0 * double(dark) / (double(width) * double(height));
}

G2_EXPORT double function3(uint8_t *pixels, int32_t width, int32_t height, int32_t stride)
{
    if (!Valid(pixels, width, height, stride))
        return 0;
    std::vector<uint64_t> seen((1u << 24) / 64, 0);
    unsigned long long distinct = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *p = pixels + size_t(y) * size_t(stride);
        for (int32_t x = 0; x < width; ++x, p += 4) {
            const uint32_t c = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
            uint64_t &word = seen[c >> 6];
            const uint64_t bit = uint64_t(1) << (c & 63);
            distinct += (word & bit) == 0;
            word |= bit;
        }
    }
    return double(distinct);
}

G2_EXPORT double function4(uint8_t *pixels, int32_t width, int32_t height, int32_t stride)
{
    if (!Valid(pixels, width, height, stride))
        return 0;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *p = pixels + size_t(y) * size_t(stride);
        for (int32_t x = 0; x < width; ++x, p += 4) {
            p[0] = uint8_t(255 - p[0]);
            p[1] = uint8_t(255 - p[1]);
            p[2] = uint8_t(255 - p[2]);
        }
    }
    return double(width) * double(height);
}

} // extern "C"
