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
    std::vector<TVuEncoding> order;
    for (int e = vEncANSI; e <= vEncEBCyrillicSerbianBulgarian; ++e) {
        order.push_back(TVuEncoding(e));
        if (e == vEncMac)
            order.push_back(vEncUTF8);
    }
    // UTF-8 stands with the basic encodings (group 0) here, whatever its
    // own group.
    auto groupOf = [](TVuEncoding e) { return e == vEncUTF8 ? uint8_t(0) : kEncodingTable[e].group; };
    for (size_t i = 0; i < order.size(); ++i) {
        const uint8_t group = groupOf(order[i]);
        if (i > 0 && group != groupOf(order[i - 1])) {
            const bool newColumn = group == kGroupGreek || group == kGroupEbcdic;
            entries.push_back({newColumn ? TVuEncodingMenuEntry::columnBreak : TVuEncodingMenuEntry::separator});
        }
        entries.push_back({TVuEncodingMenuEntry::item, order[i]});
    }
    return entries;
}
