// How a line of the view becomes what is drawn: non-printable marks, tab
// expansion and, for raw bytes, the code page they are shown through; and
// the widths and character extents measured on that prepared text.
#pragma once

#include "binhex/core/VuBinHexModel.h"
#include "binhex/core/VuCanvas.h"

#include <string>
#include <string_view>
#include <vector>

struct TVuTextOutputOptions {
    bool noConversion = false;      // characters are raw bytes (ANSI, or OEM with FontOEM)
    bool showNonPrintable = false;  // spaces, tabs and line ends get marks
    bool endsWithBreak = false;     // a line-end mark follows the text
    bool oemFont = false;           // drawn with FontOEM: marks and bytes in the OEM code page
    bool fixedPitch = false;        // tabs align to stops only with a fixed-pitch font
    int tabSize = 8;
};

// The options for the model's current state and font.
TVuTextOutputOptions TextOutputOptionsOf(const TVuBinHexModel& model, bool endsWithBreak);

// A line prepared for output. ends[i] is the length of `text` after the
// i-th character of the original line (so a tab's whole expansion counts for
// it); ends has one entry per original character.
struct TVuPreparedText {
    std::u16string text;
    std::vector<int> ends;
};

// Marks (space U+00B7, tab U+00BB, line end U+00B6; in the OEM font the OEM
// characters 250, 249 and 254), tabs expanded with the tab size (aligned to
// stops only for a fixed-pitch font), raw bytes turned into characters of
// the ANSI code page (the OEM one for the OEM font).
TVuPreparedText PrepareText(std::u16string_view line, const TVuTextOutputOptions& options);

// extents[i] = right edge of the first i characters of `line` as drawn;
// extents[0] = 0, extents has line.size() + 1 entries.
void LineExtents(TVuCanvas& canvas, std::u16string_view line, const TVuTextOutputOptions& options,
                 std::vector<int>& extents);
// Width of `line` as drawn (the line-end mark included).
int LineWidth(TVuCanvas& canvas, std::u16string_view line, const TVuTextOutputOptions& options);
// Draws `line` prepared at (x, y); result: its width as drawn.
int DrawLineText(TVuCanvas& canvas, int x, int y, std::u16string_view line, const TVuTextOutputOptions& options,
                  TVuColor color);
