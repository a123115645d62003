#include "image_files/PictureMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepPictureMemory()
{
#if defined(__GLIBC__)
    // Blocks up to 512 MB come from the heap, and the heap keeps up to 1 GB it no longer
    // uses before returning memory to the system.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
}
