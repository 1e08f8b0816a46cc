#include "platform/CpuDispatch.h"

namespace platform {

// Each answer is asked once; __builtin_cpu_supports takes only a string literal.
bool cpuRunsAvx2() {
#if defined(GLINTWAKE_X86_BUILDS)
    static const bool runs = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return runs;
#else
    return false;
#endif
}

bool cpuRunsSse41() {
#if defined(GLINTWAKE_X86_BUILDS)
    static const bool runs = (__builtin_cpu_init(), __builtin_cpu_supports("sse4.1") != 0);
    return runs;
#else
    return false;
#endif
}

}  // namespace platform
