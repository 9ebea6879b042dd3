#include "i18n/core/ResStringer.h"

void TResStringer::Assign(std::vector<TResStringEntry> entries) { entries_ = std::move(entries); }

std::optional<std::u16string> TResStringer::FindResString(int32_t id) const
{
    if (entries_.empty())
        return std::nullopt;
    // Lower-bound search: the loop narrows [low, high] to the first entry
    // whose identifier is not below `id`, assuming ascending order.
    std::size_t low = 0;
    std::size_t high = entries_.size() - 1;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (entries_[middle].Id < id)
            low = middle + 1;
        else
            high = middle;
    }
    if (entries_[low].Id == id)
        return entries_[low].Text;
    return std::nullopt;
}
