#include "search/core/VuTextFinders.h"

#include <string>

#include "text/core/VuxCodepages.h"
#include "text/core/VuxSProc.h"

namespace {

template <typename Str, typename IsDelim>
int FindIn(Str pattern, Str text, bool forward, bool lastBlock, bool wholeWords, IsDelim isDelim)
{
    if (pattern.empty() || text.size() < pattern.size())
        return 0;
    const size_t count = text.size() - pattern.size() + 1;
    auto qualifies = [&](size_t i) {  // i is 0-based
        if (text.compare(i, pattern.size(), pattern) != 0)
            return false;
        if (!wholeWords)
            return true;
        const bool first = i == 0, last = i == count - 1;
        if (!lastBlock && (forward ? last : first))
            return false;
        if (!first && !isDelim(text[i - 1]))
            return false;
        if (!last && !isDelim(text[i + pattern.size()]))
            return false;
        return true;
    };
    if (forward) {
        for (size_t i = 0; i < count; ++i)
            if (qualifies(i))
                return static_cast<int>(i) + 1;
    } else {
        for (size_t i = count; i-- > 0;)
            if (qualifies(i))
                return static_cast<int>(i) + 1;
    }
    return 0;
}

}  // namespace

int FindBytesInText(std::string_view pattern, std::string_view text, bool forward, bool lastBlock, bool matchCase,
                    bool wholeWords)
{
    std::string p(pattern), t(text);
    if (!matchCase) {
        LowerInPlace(p);
        LowerInPlace(t);
    }
    // Bytes are ANSI: everything from 0x80 up is a word character.
    auto isDelim = [](char c) { return IsWordDelimiter(static_cast<unsigned char>(c)); };
    return FindIn(std::string_view(p), std::string_view(t), forward, lastBlock, wholeWords, isDelim);
}

int FindWideInText(std::u16string_view pattern, std::u16string_view text, bool forward, bool lastBlock,
                   bool matchCase, bool wholeWords)
{
    std::u16string p(pattern), t(text);
    if (!matchCase) {
        LowerInPlace(p);
        LowerInPlace(t);
    }
    return FindIn(std::u16string_view(p), std::u16string_view(t), forward, lastBlock, wholeWords, IsWordDelimiter);
}
