#include "app/core/FindRules.h"

#include <stdexcept>

TVuEncoding FindEncoding(const TFindEncodingBoxes& boxes)
{
    if (boxes.Unicode)
        return boxes.UnicodeBE ? vEncUnicodeBE : vEncUnicodeLE;
    if (boxes.Utf8)
        return vEncUTF8;
    if (boxes.Oem)
        return vEncOEM;
    return vEncANSI;
}

TVuSearchOptions FindOptions(const TFindOptionBoxes& boxes)
{
    TVuSearchOptions options = 0;
    if (boxes.MatchCase)
        options |= ssoMatchCase;
    if (boxes.WholeWords)
        options |= ssoWholeWords;
    if (boxes.Backward)
        options |= ssoBackward;
    return options;
}

int ProgressPercent(int64_t position, int64_t maximum)
{
    if (position < 0)
        throw std::logic_error("Progress position is negative");
    if (maximum < 0)
        throw std::logic_error("Progress maximal position is negative");
    if (position > maximum)
        throw std::logic_error("Progress position is out of range");
    if (maximum == 0)
        return 0;
    // position × 100 overflows 64 bits above 2^63 / 100; 128 bits hold it.
    const auto scaled = static_cast<unsigned __int128>(position) * 100u;
    return static_cast<int>(scaled / static_cast<unsigned __int128>(maximum));
}

std::string ProgressCaption(int64_t position, int64_t maximum)
{
    const int percent = ProgressPercent(position, maximum);
    return std::to_string(percent) + "% (" + std::to_string(position) + " \\ " + std::to_string(maximum) + ")";
}
