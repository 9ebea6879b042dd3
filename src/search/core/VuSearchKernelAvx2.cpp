// The AVX2 build of the candidate scan (compiled with -mavx2).
#include "search/core/VuSearchKernel.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace peekwell_avx2 {
#include "search/core/VuSearchKernelImpl.inc"
}  // namespace peekwell_avx2

extern const TVuSearchKernel kAvx2SearchKernel = {peekwell_avx2::ScanBytes, peekwell_avx2::ScanUnits};
#endif
