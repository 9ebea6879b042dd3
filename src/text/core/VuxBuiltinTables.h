// Byte-to-ANSI maps that stand in for a code page the converters lack.
// Each maps a byte of the file to a byte of the Windows ANSI code page the
// map was made for (KOI8-R to Windows-1251, Mac Roman to Windows-1252 …);
// the result is then read as ANSI.
#pragma once

#include <cstdint>

#include "text/core/VuxCodepages.h"

// The 256-byte map of `enc` for vEncKOI8, vEncMac, vEncISO and vEncEBCDIC
// (bytes the map leaves alone map to themselves); nullptr for any other
// encoding. The tables are constant and live for the whole process.
const uint8_t* BuiltinByteMap(TVuEncoding enc);
