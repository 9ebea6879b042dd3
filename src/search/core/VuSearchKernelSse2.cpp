// The SSE2 build of the candidate scan, and the choice between it and AVX2.
#include "search/core/VuSearchKernel.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace peekwell_sse2 {
#include "search/core/VuSearchKernelImpl.inc"
}  // namespace peekwell_sse2

extern const TVuSearchKernel kAvx2SearchKernel;
static const TVuSearchKernel kSse2SearchKernel = {peekwell_sse2::ScanBytes, peekwell_sse2::ScanUnits};

const TVuSearchKernel* SearchKernel()
{
    static const TVuSearchKernel* kernel = __builtin_cpu_supports("avx2") ? &kAvx2SearchKernel : &kSse2SearchKernel;
    return kernel;
}
#else
const TVuSearchKernel* SearchKernel() { return nullptr; }
#endif
