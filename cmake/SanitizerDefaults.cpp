// Defaults of the sanitizer runtimes, built into every program of the sanitizer builds.
#include <dlfcn.h>

extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1";
}

extern "C" const char *__lsan_default_suppressions()
{
    // SANE's test backend loses its 64 KiB read buffer when its reader thread is stopped
    // at the end of a scan.
    return "leak:libsane-test.so\n";
}

#ifdef GRIZAL2_SANE_TEST_BACKEND
namespace {
// SANE unloads its backends before leaks are reported; kept loaded, the leak above can be
// told by its library.
const bool saneTestBackendKept = dlopen(GRIZAL2_SANE_TEST_BACKEND, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE) != nullptr;
} // namespace
#endif
