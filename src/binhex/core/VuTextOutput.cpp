#include "binhex/core/VuTextOutput.h"

#include "text/core/VuxCodepages.h"
#include "text/core/VuxSProc.h"

namespace {

constexpr char16_t kSpaceMark = u'\u00B7';
constexpr char16_t kTabMark = u'\u00BB';
constexpr char16_t kLineEndMark = u'\u00B6';
constexpr uint8_t kOemSpaceMark = 250;
constexpr uint8_t kOemTabMark = 249;
constexpr uint8_t kOemLineEndMark = 254;

// The table raw bytes are shown through: the OEM font shows OEM bytes, the
// normal font shows ANSI bytes.
const char16_t* RawTable(bool oemFont) { return EncodingTable(oemFont ? vEncOEM : vEncANSI); }

char16_t Mark(char16_t normal, uint8_t oem, const TVuTextOutputOptions& o, const char16_t* table)
{
    return o.oemFont && table ? table[oem] : normal;
}

}  // namespace

TVuTextOutputOptions TextOutputOptionsOf(const TVuBinHexModel& model, bool endsWithBreak)
{
    TVuTextOutputOptions o;
    o.noConversion = model.NoConversion();
    o.showNonPrintable = model.TextNonPrintable();
    o.endsWithBreak = endsWithBreak;
    o.oemFont = model.UsesOemFont();
    o.fixedPitch = model.FontMetrics().fixedPitch;
    o.tabSize = model.TextTabSize();
    return o;
}

TVuPreparedText PrepareText(std::u16string_view line, const TVuTextOutputOptions& o)
{
    TVuPreparedText out;
    out.ends.reserve(line.size());
    out.text.reserve(line.size() + 8);
    const char16_t* table = (o.noConversion || o.oemFont) ? RawTable(o.oemFont) : nullptr;
    TVuTabOptions tab;
    tab.tabSize = o.tabSize < 1 ? 1 : o.tabSize;
    tab.alignToStops = o.fixedPitch;
    tab.mark = o.showNonPrintable;
    tab.marker = Mark(kTabMark, kOemTabMark, o, table);
    for (char16_t ch : line) {
        if (ch == u'\t') {
            tab.position = int(out.text.size()) + 1;
            out.text += ExpandSingleTab(tab);
        } else if (ch == u' ' && o.showNonPrintable) {
            out.text += Mark(kSpaceMark, kOemSpaceMark, o, table);
        } else if (o.noConversion && table) {
            out.text += table[ch & 0xFF];
        } else {
            out.text += ch;
        }
        out.ends.push_back(int(out.text.size()));
    }
    if (o.showNonPrintable && o.endsWithBreak)
        out.text += Mark(kLineEndMark, kOemLineEndMark, o, table);
    return out;
}

void LineExtents(TVuCanvas& canvas, std::u16string_view line, const TVuTextOutputOptions& options,
                 std::vector<int>& extents)
{
    const TVuPreparedText prepared = PrepareText(line, options);
    std::vector<int> cells;
    canvas.TextExtents(prepared.text, cells);
    extents.assign(line.size() + 1, 0);
    for (size_t i = 0; i < line.size(); ++i) {
        const int end = prepared.ends[i];
        extents[i + 1] = end > 0 && size_t(end) <= cells.size() ? cells[size_t(end - 1)] : extents[i];
    }
}

int LineWidth(TVuCanvas& canvas, std::u16string_view line, const TVuTextOutputOptions& options)
{
    return canvas.TextWidth(PrepareText(line, options).text);
}

int DrawLineText(TVuCanvas& canvas, int x, int y, std::u16string_view line, const TVuTextOutputOptions& options,
                 TVuColor color)
{
    const TVuPreparedText prepared = PrepareText(line, options);
    return prepared.text.empty() ? 0 : canvas.TextOut(x, y, prepared.text, color);
}
