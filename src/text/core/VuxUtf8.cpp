#include "text/core/VuxUtf8.h"

namespace {

// What a lead byte promises: the continuation bytes that must follow and the
// range of the first of them (the narrower ranges rule out overlong forms,
// surrogates and code points above U+10FFFF). need < 0: no lead byte.
struct LeadRule {
    int need;
    uint8_t lo, hi;
};

LeadRule RuleOf(uint8_t b)
{
    if (b < 0x80)
        return {0, 0x80, 0xBF};
    if (b >= 0xC2 && b <= 0xDF)
        return {1, 0x80, 0xBF};
    if (b == 0xE0)
        return {2, 0xA0, 0xBF};
    if (b == 0xED)
        return {2, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {2, 0x80, 0xBF};
    if (b == 0xF0)
        return {3, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {3, 0x80, 0xBF};
    if (b == 0xF4)
        return {3, 0x80, 0x8F};
    return {-1, 0, 0};
}

bool IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

}  // namespace

int Utf8SequenceLength(const uint8_t* p, size_t avail)
{
    if (avail == 0)
        return 0;
    const LeadRule rule = RuleOf(p[0]);
    if (rule.need <= 0)
        return rule.need == 0 ? 1 : 0;
    if (size_t(rule.need) >= avail)
        return 0;  // cut short
    if (p[1] < rule.lo || p[1] > rule.hi)
        return 0;
    for (int k = 2; k <= rule.need; ++k)
        if (!IsContinuation(p[k]))
            return 0;
    return rule.need + 1;
}

int Utf8DecodeChar(const uint8_t* p, size_t avail, char32_t& codePoint)
{
    const int n = Utf8SequenceLength(p, avail);
    switch (n) {
    case 1: codePoint = p[0]; return 1;
    case 2: codePoint = char32_t(p[0] & 0x1F) << 6 | (p[1] & 0x3F); return 2;
    case 3: codePoint = char32_t(p[0] & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F); return 3;
    case 4:
        codePoint = char32_t(p[0] & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 |
                    (p[3] & 0x3F);
        return 4;
    default: codePoint = 0xFFFD; return 1;
    }
}

size_t Utf8CharStart(const uint8_t* data, size_t size, size_t index)
{
    if (index >= size || !IsContinuation(data[index]))
        return index;
    for (size_t k = 1; k < size_t(kUtf8MaxBytes) && k <= index; ++k) {
        const size_t lead = index - k;
        if (!IsContinuation(data[lead]))
            return Utf8SequenceLength(data + lead, size - lead) > int(k) ? lead : index;
    }
    return index;
}

void TVuUtf8Check::Feed(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i < size && valid_; ++i) {
        const uint8_t b = data[i];
        if (need_ > 0) {
            if (b < lo_ || b > hi_) {
                valid_ = false;
                break;
            }
            --need_;
            lo_ = 0x80;
            hi_ = 0xBF;
            continue;
        }
        if (b < 0x80)
            continue;
        const LeadRule rule = RuleOf(b);
        if (rule.need <= 0) {
            valid_ = false;
            break;
        }
        multiByte_ = true;
        need_ = rule.need;
        lo_ = rule.lo;
        hi_ = rule.hi;
    }
}
