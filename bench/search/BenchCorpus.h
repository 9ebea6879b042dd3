// The search benchmark's text files: lines of words over common letters,
// about 1% of them UTF-8 or Latin-1, with the needles placed where the
// cases expect them.
#pragma once

#include <cstdint>
#include <string>

struct BenchCorpus {
    std::string textPath;   // the ANSI text file
    std::string utf16Path;  // a UTF-16LE copy of its first quarter
    int64_t textBytes = 0;
    int64_t utf16Bytes = 0;
};

// Words the corpus never contains (in any case) and where it holds them.
inline constexpr const char* kNeedleNearEnd = "stonerate";    // once, at 99% of each file
inline constexpr const char* kNeedleNearStart = "tensioner";  // once, at 1% of each file
inline constexpr const char* kNeedleAbsent = "senatorial";    // nowhere
inline constexpr const char* kNeedleAbsentE = "eastereen";    // nowhere; first letter "e"

// Writes both files under `dir` for a text file of `mib` MiB and returns
// their names and sizes. Deterministic: the same size gives the same bytes.
BenchCorpus MakeCorpus(const std::string& dir, int64_t mib);
