// The find command's decisions that need no window: which encoding and
// options the find dialog's check boxes stand for, and what the progress
// window shows for a position.
#pragma once

#include <cstdint>
#include <string>

#include "search/core/VuStreamSearch.h"
#include "text/core/VuxCodepages.h"

// The find dialog's encoding check boxes.
struct TFindEncodingBoxes {
    bool Oem = false;        // encoem
    bool Unicode = false;    // encunicode
    bool UnicodeBE = false;  // encunicodebe (only together with Unicode)
    bool Utf8 = false;       // encutf8
};

// The encoding the file is searched in: Unicode wins (big-endian when
// UnicodeBE is checked too), then UTF-8, then OEM; with no box checked,
// ANSI. UnicodeBE alone has no effect.
TVuEncoding FindEncoding(const TFindEncodingBoxes& boxes);

// The find dialog's option check boxes.
struct TFindOptionBoxes {
    bool MatchCase = false;   // reguse
    bool WholeWords = false;  // fullword
    bool Backward = false;    // reverce
};

// The search options the boxes stand for (any combination).
TVuSearchOptions FindOptions(const TFindOptionBoxes& boxes);

// The progress window's percentage of `position` in 0..`maximum`:
// position × 100 div maximum, exact for every 64-bit value; 0 when the
// maximum is 0. A negative value or a position beyond the maximum is a
// caller's mistake: std::logic_error with "Progress position is negative",
// "Progress maximal position is negative" or "Progress position is out of
// range".
int ProgressPercent(int64_t position, int64_t maximum);

// The progress window's label: "50% (1024 \ 2048)". Throws as
// ProgressPercent does.
std::string ProgressCaption(int64_t position, int64_t maximum);
