#include "Memoire.h"

// A C library header first: it is what defines __GLIBC__, and without it the
// test below is always false.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tarvo {

void garderLeTasMemoire() {
#if defined(__GLIBC__)
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
#endif
}

} // namespace tarvo
