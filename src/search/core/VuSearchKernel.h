// The vector part of the candidate scan, built twice: once for the base
// instruction set (SSE2) and once for AVX2, chosen when the search starts.
//
// A candidate i qualifies when, for every probe k, the value at character
// i + pos[k] is one of the probe's values. The kernel tests a vector's
// width of candidates per step and calls `verify` for each that qualifies,
// in ascending (forward) or descending (backward) order. It covers what it
// can of [0, count) and leaves the rest, [*lo, *hi), to the caller.
#pragma once

#include <cstddef>
#include <cstdint>

struct TVuKernelProbes {
    static constexpr int kMaxProbes = 3;
    static constexpr int kMaxValues = 4;
    int probes = 0;                  // 1..3
    int values = 0;                  // 1, 2 or 4 per probe (padded by repeating)
    size_t pos[kMaxProbes] = {};     // character offsets in the text
    uint16_t value[kMaxProbes][kMaxValues] = {};
};

// Returns the candidate index `verify` accepted, or -1.
using TVuKernelVerify = bool (*)(void* context, size_t candidate);

struct TVuSearchKernel {
    int64_t (*scanBytes)(const uint8_t* data, size_t count, const TVuKernelProbes& probes, bool forward,
                         TVuKernelVerify verify, void* context, size_t* lo, size_t* hi);
    int64_t (*scanUnits)(const uint8_t* data, size_t count, const TVuKernelProbes& probes, bool forward,
                         TVuKernelVerify verify, void* context, size_t* lo, size_t* hi);
};

// The best kernel this processor runs, or null where there is none (the
// caller then tests every candidate itself).
const TVuSearchKernel* SearchKernel();
