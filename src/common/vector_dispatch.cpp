#include "common/vector_dispatch.h"

bool WideVectorsAllowed = true;

bool UseAvx2() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has && WideVectorsAllowed;
#else
    return false;
#endif
}
