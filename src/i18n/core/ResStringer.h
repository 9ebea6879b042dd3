// Message-string translations of the language in use: the
// "[RESOURCESTRINGS]" entries of a language file, looked up by the
// identifier of the built-in string they replace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TResStringEntry {
    int32_t Id;
    std::u16string Text;
};

class TResStringer {
public:
    // Created with no translations.
    TResStringer() = default;

    // The entries in file order. Language files keep them in ascending
    // identifier order; FindResString relies on it.
    const std::vector<TResStringEntry>& Entries() const { return entries_; }

    // Replaces every translation with `entries` (file order).
    void Assign(std::vector<TResStringEntry> entries);

    // Whether there is anything to look up. An empty message-string
    // section makes the stringer inactive until a file with entries is
    // loaded; whether lookups reach it at all is the message-string
    // redirect's business (MessageStrings.h).
    bool Active() const { return !entries_.empty(); }

    // Binary search over the entries by identifier: the translation of
    // `id`, or nothing. Of equal identifiers the first in the file wins;
    // entries out of ascending order may be missed.
    std::optional<std::u16string> FindResString(int32_t id) const;

private:
    std::vector<TResStringEntry> entries_;
};
