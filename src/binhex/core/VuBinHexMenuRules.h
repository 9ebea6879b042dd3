// What the view's context menu and encoding menu hold, worked out from the
// view's state alone: which commands are enabled, and the order, groups and
// columns of the encoding menu.
#pragma once

#include "binhex/core/VuBinHexModel.h"
#include "text/core/VuxCodepages.h"

#include <vector>

// Enabled states of the five context-menu commands.
struct TVuPopupStates {
    bool copy = false;        // a non-empty source and a selection
    bool copyHex = false;     // copy, in vbmodeHex
    bool selectLine = false;  // a non-empty source
    bool selectAll = false;   // a non-empty source not wholly selected yet
    bool encMenu = false;     // a non-empty source
    bool operator==(const TVuPopupStates&) const = default;
};

TVuPopupStates PopupStatesOf(const TVuBinHexModel& model);

// One entry of the encoding menu.
struct TVuEncodingMenuEntry {
    enum Kind : uint8_t { item, separator, columnBreak };
    Kind kind = item;
    TVuEncoding encoding = vEncANSI;  // for items
};

// The six basic encodings and UTF-8, then the single-byte encodings in
// enumeration order (vEncWEuroDOS to vEncEBCyrillicSerbianBulgarian), a
// separator before each change of group, except that the Greek and the IBM
// EBCDIC groups start a new column instead. Three columns: the basic
// encodings with UTF-8 after "Mac", then the Western European, Central
// European, Baltic and Cyrillic groups; Greek to Vietnamese; IBM EBCDIC.
std::vector<TVuEncodingMenuEntry> EncodingMenuLayout();
