/* The interface of the add-on library of user functions, libG2AddFunctions.so.
 *
 * The program loads the library from its own directory at start-up, asks the number of
 * functions and their names, and resolves one entry point per function: "function1",
 * "function2", ... up to the count (at most G2_MAX_ADD_FUNCTIONS are used).
 *
 * A function receives the active picture: 4 bytes per pixel in the order red, green,
 * blue and a fourth byte that must be left as 0xFF; `stride` bytes from the start of one
 * row to the next; rows from the top. It may change the pixels in place, and returns one
 * number, which the program writes into the measurement series' report. */
#ifndef G2ADDFUNCTIONS_H
#define G2ADDFUNCTIONS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define G2_MAX_ADD_FUNCTIONS 100
/* Each name: a length byte, then up to 255 bytes of UTF-8 text. */
#define G2_ADD_FUNCTION_NAME_SIZE 256

#if defined(__GNUC__)
#define G2_EXPORT __attribute__((visibility("default")))
#else
#define G2_EXPORT
#endif

/* The number of functions the library offers. */
typedef int32_t (*G2GetCountFn)(void);
/* A table of that many names of G2_ADD_FUNCTION_NAME_SIZE bytes each, valid while the
 * library is loaded. */
typedef const unsigned char *(*G2GetNamesFn)(void);
/* One user function. */
typedef double (*G2AddFunction)(uint8_t *pixels, int32_t width, int32_t height, int32_t stride);

G2_EXPORT int32_t Get_N_G2AddFunctions(void);
G2_EXPORT const unsigned char *Get_Names_G2AddFunctions(void);

#ifdef __cplusplus
}
#endif

#endif
