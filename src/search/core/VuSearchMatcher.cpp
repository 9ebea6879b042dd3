#include "search/core/VuSearchMatcher.h"

#include <algorithm>
#include <cstring>

#include "text/core/VuxSProc.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define PEEKWELL_SEARCH_SSE2 1
#endif

namespace {

constexpr char16_t kUndefined = 0xFFFD;
// More byte values than this at a probe and the vector scan would spend
// more on comparing than it saves; such a probe is not used.
constexpr size_t kMaxProbeValues = 4;

inline uint16_t Swap16(uint16_t v) { return static_cast<uint16_t>(v << 8 | v >> 8); }

inline uint16_t LoadRaw16(const uint8_t* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

}  // namespace

TVuSearchMatcher::TVuSearchMatcher(std::u16string_view text, TVuEncoding encoding, bool matchCase)
    : length_(text.size())
{
    if (text.empty())
        return;
    if (IsUnicodeEncoding(encoding)) {
        charSize_ = 2;
        bigEndian_ = encoding == vEncUnicodeBE;
        CompileUtf16(text, matchCase);
        return;
    }
    if (const char16_t* table = EncodingTable(encoding))
        CompileSingleByte(text, table, matchCase);
}

void TVuSearchMatcher::CompileSingleByte(std::u16string_view text, const char16_t* table, bool matchCase)
{
    auto key = [&](char16_t ch) { return matchCase ? ch : LowerChar(ch); };
    // A byte's class is the lowest byte with the same (folded) character.
    // Undefined bytes keep classes of their own that no text character gets.
    identity_ = true;
    for (int b = 0; b < 256; ++b) {
        class_[b] = static_cast<uint8_t>(b);
        delimiter_[b] = table[b] != kUndefined && IsWordDelimiter(table[b]);
        if (table[b] == kUndefined)
            continue;
        for (int lower = 0; lower < b; ++lower) {
            if (table[lower] != kUndefined && key(table[lower]) == key(table[b])) {
                class_[b] = static_cast<uint8_t>(lower);
                identity_ = false;
                break;
            }
        }
    }
    pattern_.resize(text.size());
    for (size_t j = 0; j < text.size(); ++j) {
        const char16_t k = key(text[j]);
        int found = -1;
        for (int b = 0; b < 256 && found < 0; ++b)
            if (table[b] != kUndefined && key(table[b]) == k)
                found = b;
        if (text[j] == kUndefined || found < 0)
            return;  // not representable: canMatch_ stays false
        pattern_[j] = class_[found];
    }
    canMatch_ = true;
    ChooseProbes();
}

void TVuSearchMatcher::CompileUtf16(std::u16string_view text, bool matchCase)
{
    identity_ = matchCase;
    fold_ = matchCase ? nullptr : LowerCaseTable();
    units_.assign(text);
    if (fold_)
        for (auto& u : units_)
            u = fold_[u];
    rawUnits_.resize(text.size() * 2);
    for (size_t j = 0; j < text.size(); ++j) {
        const uint16_t u = text[j];
        rawUnits_[2 * j] = static_cast<char>(bigEndian_ ? u >> 8 : u & 0xFF);
        rawUnits_[2 * j + 1] = static_cast<char>(bigEndian_ ? u & 0xFF : u >> 8);
    }
    canMatch_ = true;
    ChooseProbes();
}

void TVuSearchMatcher::ChooseProbes()
{
    // The raw values (bytes, or units as loaded from memory) that the
    // character at text position `pos` can have in the file.
    auto valuesAt = [&](size_t pos) {
        Probe p;
        p.pos = pos;
        if (charSize_ == 1) {
            for (int b = 0; b < 256; ++b)
                if (class_[b] == pattern_[pos])
                    p.values.push_back(static_cast<uint16_t>(b));
        } else if (!fold_) {
            p.values.push_back(units_[pos]);
        } else {
            for (unsigned u = 0; u < 0x10000; ++u)
                if (fold_[u] == units_[pos])
                    p.values.push_back(static_cast<uint16_t>(u));
        }
        if (charSize_ == 2 && bigEndian_)
            for (auto& v : p.values)
                v = Swap16(v);
        return p;
    };
    first_ = valuesAt(0);
    second_ = valuesAt(length_ - 1);
    // A rare probe with many forms (a letter with several upper cases) is
    // swapped for another position of the text when one has fewer.
    for (Probe* probe : {&first_, &second_}) {
        if (probe->values.size() <= kMaxProbeValues)
            continue;
        for (size_t pos = 0; pos < length_ && pos < 32; ++pos) {
            Probe other = valuesAt(pos);
            if (other.values.size() < probe->values.size())
                *probe = std::move(other);
        }
    }
    if (first_.pos > second_.pos)
        std::swap(first_, second_);
}

bool TVuSearchMatcher::Verify(const uint8_t* at) const
{
    if (charSize_ == 1) {
        if (identity_)
            return std::memcmp(at, pattern_.data(), length_) == 0;
        for (size_t j = 0; j < length_; ++j)
            if (class_[at[j]] != pattern_[j])
                return false;
        return true;
    }
    if (identity_)
        return std::memcmp(at, rawUnits_.data(), rawUnits_.size()) == 0;
    for (size_t j = 0; j < length_; ++j) {
        uint16_t u = LoadRaw16(at + 2 * j);
        if (bigEndian_)
            u = Swap16(u);
        if (fold_[u] != units_[j])
            return false;
    }
    return true;
}

bool TVuSearchMatcher::IsDelimiterAt(const uint8_t* p) const
{
    if (charSize_ == 1)
        return delimiter_[*p];
    uint16_t u = LoadRaw16(p);
    return IsWordDelimiter(bigEndian_ ? Swap16(u) : u);
}

int64_t TVuSearchMatcher::Scan(const uint8_t* data, size_t size, bool forward, const Accept* accept) const
{
    if (!canMatch_ || size < PatternBytes())
        return -1;
    return charSize_ == 1 ? ScanBytes(data, size, forward, accept) : ScanUnits(data, size, forward, accept);
}

// Candidate i (a character index) is worth verifying when the characters at
// both probe positions have one of the probes' values. The vector loop
// tests 16 candidates per step; what it cannot cover (the ends of the
// block, probes with too many values) is tested one by one.
int64_t TVuSearchMatcher::ScanBytes(const uint8_t* data, size_t size, bool forward, const Accept* accept) const
{
    const size_t count = size - length_ + 1;  // candidates 0 .. count-1
    bool inFirst[256] = {}, inSecond[256] = {};
    for (uint16_t v : first_.values)
        inFirst[v] = true;
    for (uint16_t v : second_.values)
        inSecond[v] = true;
    auto tryAt = [&](size_t i) {
        return inFirst[data[i + first_.pos]] && inSecond[data[i + second_.pos]] && Verify(data + i) &&
               (!accept || (*accept)(i));
    };
    size_t lo = 0, hi = count;  // candidates left for the one-by-one loop
#if PEEKWELL_SEARCH_SSE2
    constexpr size_t W = 16;
    if (first_.values.size() <= kMaxProbeValues && second_.values.size() <= kMaxProbeValues) {
        __m128i a[kMaxProbeValues], b[kMaxProbeValues];
        const size_t na = first_.values.size(), nb = second_.values.size();
        for (size_t k = 0; k < na; ++k)
            a[k] = _mm_set1_epi8(static_cast<char>(first_.values[k]));
        for (size_t k = 0; k < nb; ++k)
            b[k] = _mm_set1_epi8(static_cast<char>(second_.values[k]));
        auto maskAt = [&](size_t i) {
            const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + first_.pos));
            const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + second_.pos));
            __m128i ma = _mm_cmpeq_epi8(va, a[0]);
            for (size_t k = 1; k < na; ++k)
                ma = _mm_or_si128(ma, _mm_cmpeq_epi8(va, a[k]));
            __m128i mb = _mm_cmpeq_epi8(vb, b[0]);
            for (size_t k = 1; k < nb; ++k)
                mb = _mm_or_si128(mb, _mm_cmpeq_epi8(vb, b[k]));
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(ma, mb)));
        };
        if (forward) {
            for (; lo + W <= count; lo += W) {
                for (unsigned m = maskAt(lo); m; m &= m - 1) {
                    const size_t i = lo + static_cast<size_t>(__builtin_ctz(m));
                    if (Verify(data + i) && (!accept || (*accept)(i)))
                        return static_cast<int64_t>(i);
                }
            }
        } else {
            for (; hi >= W; hi -= W) {
                for (unsigned m = maskAt(hi - W); m;) {
                    const int bit = 31 - __builtin_clz(m);
                    const size_t i = hi - W + static_cast<size_t>(bit);
                    if (Verify(data + i) && (!accept || (*accept)(i)))
                        return static_cast<int64_t>(i);
                    m &= ~(1u << bit);
                }
            }
        }
    }
#endif
    if (forward) {
        for (size_t i = lo; i < count; ++i)
            if (tryAt(i))
                return static_cast<int64_t>(i);
    } else {
        for (size_t i = hi; i-- > 0;)
            if (tryAt(i))
                return static_cast<int64_t>(i);
    }
    return -1;
}

int64_t TVuSearchMatcher::ScanUnits(const uint8_t* data, size_t size, bool forward, const Accept* accept) const
{
    const size_t units = size / 2;
    const size_t count = units - length_ + 1;
    auto has = [](const Probe& p, uint16_t v) {
        return std::find(p.values.begin(), p.values.end(), v) != p.values.end();
    };
    auto tryAt = [&](size_t i) {
        return has(first_, LoadRaw16(data + 2 * (i + first_.pos))) &&
               has(second_, LoadRaw16(data + 2 * (i + second_.pos))) && Verify(data + 2 * i) &&
               (!accept || (*accept)(2 * i));
    };
    size_t lo = 0, hi = count;
#if PEEKWELL_SEARCH_SSE2
    constexpr size_t W = 8;
    if (first_.values.size() <= kMaxProbeValues && second_.values.size() <= kMaxProbeValues) {
        __m128i a[kMaxProbeValues], b[kMaxProbeValues];
        const size_t na = first_.values.size(), nb = second_.values.size();
        for (size_t k = 0; k < na; ++k)
            a[k] = _mm_set1_epi16(static_cast<short>(first_.values[k]));
        for (size_t k = 0; k < nb; ++k)
            b[k] = _mm_set1_epi16(static_cast<short>(second_.values[k]));
        // Two mask bits per unit; keep the even one.
        auto maskAt = [&](size_t i) {
            const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 2 * (i + first_.pos)));
            const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 2 * (i + second_.pos)));
            __m128i ma = _mm_cmpeq_epi16(va, a[0]);
            for (size_t k = 1; k < na; ++k)
                ma = _mm_or_si128(ma, _mm_cmpeq_epi16(va, a[k]));
            __m128i mb = _mm_cmpeq_epi16(vb, b[0]);
            for (size_t k = 1; k < nb; ++k)
                mb = _mm_or_si128(mb, _mm_cmpeq_epi16(vb, b[k]));
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(ma, mb))) & 0x5555u;
        };
        if (forward) {
            for (; lo + W <= count; lo += W) {
                for (unsigned m = maskAt(lo); m; m &= m - 1) {
                    const size_t i = lo + static_cast<size_t>(__builtin_ctz(m)) / 2;
                    if (Verify(data + 2 * i) && (!accept || (*accept)(2 * i)))
                        return static_cast<int64_t>(2 * i);
                }
            }
        } else {
            for (; hi >= W; hi -= W) {
                for (unsigned m = maskAt(hi - W); m;) {
                    const int bit = 31 - __builtin_clz(m);
                    const size_t i = hi - W + static_cast<size_t>(bit) / 2;
                    if (Verify(data + 2 * i) && (!accept || (*accept)(2 * i)))
                        return static_cast<int64_t>(2 * i);
                    m &= ~(1u << bit);
                }
            }
        }
    }
#endif
    if (forward) {
        for (size_t i = lo; i < count; ++i)
            if (tryAt(i))
                return static_cast<int64_t>(2 * i);
    } else {
        for (size_t i = hi; i-- > 0;)
            if (tryAt(i))
                return static_cast<int64_t>(2 * i);
    }
    return -1;
}
