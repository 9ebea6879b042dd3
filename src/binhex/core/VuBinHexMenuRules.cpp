#include "binhex/core/VuBinHexMenuRules.h"

namespace {

constexpr uint8_t kGroupGreek = 5;
constexpr uint8_t kGroupEbcdic = 12;

}  // namespace

TVuPopupStates PopupStatesOf(const TVuBinHexModel& model)
{
    TVuPopupStates s;
    if (model.IsEmptySource())
        return s;
    const int64_t whole = model.FileSize() / model.CharSize() * model.CharSize();
    s.copy = model.SelLength() > 0;
    s.copyHex = s.copy && model.Mode() == vbmodeHex;
    s.selectLine = true;
    s.selectAll = model.SelStart() != 0 || model.SelLength() < whole;
    s.encMenu = true;
    return s;
}

std::vector<TVuEncodingMenuEntry> EncodingMenuLayout()
{
    std::vector<TVuEncodingMenuEntry> entries;
    for (int e = vEncANSI; e <= vEncEBCyrillicSerbianBulgarian; ++e) {
        const uint8_t group = kEncodingTable[e].group;
        if (e > vEncANSI && group != kEncodingTable[e - 1].group) {
            const bool newColumn = group == kGroupGreek || group == kGroupEbcdic;
            entries.push_back({newColumn ? TVuEncodingMenuEntry::columnBreak : TVuEncodingMenuEntry::separator});
        }
        entries.push_back({TVuEncodingMenuEntry::item, TVuEncoding(e)});
    }
    return entries;
}
