// Putting text on the clipboard. The Linux clipboard holds one Unicode
// text, so bytes are converted through their encoding first (ANSI bytes
// through the ANSI code page, OEM bytes through the OEM one).
#pragma once

#include <string_view>

#include "text/core/VuxCodepages.h"

// Puts `bytes`, read in `encoding`, on the clipboard as text. Empty input
// leaves the clipboard untouched and succeeds. An unsupported encoding
// puts "?" like every other conversion of it; UTF-16 bytes are read with
// their byte order. False when there is no clipboard (no application).
bool ClipboardPutBytes(std::string_view bytes, TVuEncoding encoding);

// Puts wide text on the clipboard; empty text leaves it untouched and
// succeeds. False when there is no clipboard.
bool ClipboardPutWide(std::u16string_view text);
