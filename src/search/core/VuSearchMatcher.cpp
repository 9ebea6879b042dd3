#include "search/core/VuSearchMatcher.h"

#include <algorithm>
#include <cstring>

#include "text/core/VuxSProc.h"
#include "text/core/VuxUtf8.h"

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

// How often a character turns up in ordinary text, roughly (English letter
// frequencies, in tenths of a percent); the rarest position of the text
// becomes the third probe.
int Commonness(uint16_t ch)
{
    static const int kLetter[26] = {82, 15, 28, 43, 127, 22, 20, 61, 70, 2, 8, 40, 24,
                                    67, 75, 19, 1,  60, 63, 91, 28, 10, 24, 2, 20, 1};
    if (ch >= 'a' && ch <= 'z')
        return kLetter[ch - 'a'];
    if (ch >= 'A' && ch <= 'Z')
        return kLetter[ch - 'A'] / 10;
    if (ch == ' ')
        return 180;
    if (ch == '\n' || (ch >= '0' && ch <= '9'))
        return 10;
    return 3;
}

struct VerifyContext {
    const TVuSearchMatcher* matcher;
    const uint8_t* data;
    const uint8_t* end;
    const TVuSearchMatcher::Accept* accept;
    int charSize;
    size_t matched;  // bytes of the accepted match
};

// Every UTF-16 unit grouped by its lower-case mapping: the units that fold
// to `key` are units[start[key] .. start[key + 1]). Built once.
struct FoldInverse {
    std::vector<uint32_t> start;
    std::vector<char16_t> units;
};

const FoldInverse& InverseFold()
{
    static const FoldInverse inverse = [] {
        const char16_t* fold = LowerCaseTable();
        FoldInverse f;
        f.start.assign(0x10001, 0);
        for (unsigned u = 0; u < 0x10000; ++u)
            ++f.start[fold[u] + 1u];
        for (unsigned k = 0; k < 0x10000; ++k)
            f.start[k + 1] += f.start[k];
        f.units.resize(0x10000);
        std::vector<uint32_t> next(f.start.begin(), f.start.end() - 1);
        for (unsigned u = 0; u < 0x10000; ++u)
            f.units[next[fold[u]]++] = static_cast<char16_t>(u);
        return f;
    }();
    return inverse;
}

// The UTF-8 form of a code point; returns its length.
int EncodeUtf8(char32_t cp, uint8_t* out)
{
    if (cp < 0x80) {
        out[0] = static_cast<uint8_t>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<uint8_t>(0xC0 | cp >> 6);
        out[1] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<uint8_t>(0xE0 | cp >> 12);
        out[1] = static_cast<uint8_t>(0x80 | (cp >> 6 & 0x3F));
        out[2] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<uint8_t>(0xF0 | cp >> 18);
    out[1] = static_cast<uint8_t>(0x80 | (cp >> 12 & 0x3F));
    out[2] = static_cast<uint8_t>(0x80 | (cp >> 6 & 0x3F));
    out[3] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    return 4;
}

// How often a byte value turns up at a column of UTF-8 text: ASCII by
// letter frequency, lead bytes often (a script shares a few), continuation
// bytes seldom.
int ByteCommonness(uint8_t b)
{
    if (b < 0x80)
        return Commonness(b);
    return b >= 0xC0 ? 120 : 15;
}

}  // namespace

TVuSearchMatcher::TVuSearchMatcher(std::u16string_view text, TVuEncoding encoding, bool matchCase)
    : length_(text.size())
{
    if (text.empty())
        return;
    if (encoding == vEncUTF8) {
        CompileUtf8(text, matchCase);
        return;
    }
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

void TVuSearchMatcher::CompileUtf8(std::u16string_view text, bool matchCase)
{
    utf8_ = true;
    charSize_ = 1;
    fold_ = matchCase ? nullptr : LowerCaseTable();
    for (int b = 0; b < 256; ++b)
        delimiter_[b] = b < 0x80 && IsWordDelimiter(static_cast<char16_t>(b));
    keys_.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp == kUndefined) {
            return;  // no valid bytes decode to it: canMatch_ stays false
        }
        keys_.push_back(fold_ && cp < 0x10000 ? fold_[cp] : cp);
    }
    length_ = keys_.size();

    // The byte columns of the text's UTF-8 forms, as far as every form of
    // every character before them has the same length; the column after
    // that holds the lead bytes of the first character whose forms differ.
    constexpr size_t kMaxColumns = 256;
    std::vector<std::vector<uint8_t>> columns;
    bool fixed = true;
    const FoldInverse* inverse = fold_ ? &InverseFold() : nullptr;
    std::vector<char32_t> forms;
    for (char32_t key : keys_) {
        forms.clear();
        if (inverse && key < 0x10000) {
            for (uint32_t k = inverse->start[key]; k < inverse->start[key + 1]; ++k) {
                const char16_t u = inverse->units[k];
                if (u < 0xD800 || u > 0xDFFF)
                    forms.push_back(u);
            }
        } else {
            forms.push_back(key);
        }
        int shortest = kUtf8MaxBytes, longest = 1;
        uint8_t bytes[kUtf8MaxBytes];
        for (char32_t form : forms) {
            const int n = EncodeUtf8(form, bytes);
            shortest = std::min(shortest, n);
            longest = std::max(longest, n);
        }
        minBytes_ += static_cast<size_t>(shortest);
        maxBytes_ += static_cast<size_t>(longest);
        if (!fixed || columns.size() >= kMaxColumns)
            continue;
        const size_t first = columns.size();
        columns.resize(first + static_cast<size_t>(shortest == longest ? shortest : 1));
        for (char32_t form : forms) {
            EncodeUtf8(form, bytes);
            for (size_t c = first; c < columns.size(); ++c) {
                auto& values = columns[c];
                if (std::find(values.begin(), values.end(), bytes[c - first]) == values.end())
                    values.push_back(bytes[c - first]);
            }
        }
        fixed = shortest == longest;
    }
    canMatch_ = true;
    ChooseUtf8Probes(columns);
}

void TVuSearchMatcher::ChooseUtf8Probes(const std::vector<std::vector<uint8_t>>& columns)
{
    auto probeAt = [&](size_t c) {
        Probe p;
        p.pos = c;
        p.values.assign(columns[c].begin(), columns[c].end());
        return p;
    };
    auto usable = [&](size_t c) { return columns[c].size() <= kMaxProbeValues; };
    auto score = [&](size_t c) {
        int sum = 0;
        for (uint8_t b : columns[c])
            sum += ByteCommonness(b);
        return sum;
    };
    // The first and last usable columns, and the rarest one between.
    size_t a = 0;
    while (a < columns.size() && !usable(a))
        ++a;
    if (a == columns.size())
        return;  // no kernel: every candidate is decoded
    size_t b = columns.size() - 1;
    while (!usable(b))
        --b;
    first_ = probeAt(a);
    second_ = probeAt(b);
    int best = 1 << 30;
    for (size_t c = a + 1; c < b; ++c) {
        if (usable(c) && score(c) < best) {
            best = score(c);
            third_ = probeAt(c);
        }
    }
    BuildKernelProbes();
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
    // A third probe at the rarest position in between thins out the
    // candidates of texts made of common letters.
    int best = 1 << 30;
    for (size_t pos = 1; pos + 1 < length_ && pos < 64; ++pos) {
        if (pos == first_.pos || pos == second_.pos)
            continue;
        const uint16_t ch = charSize_ == 1 ? static_cast<uint16_t>(pattern_[pos]) : units_[pos];
        const int score = Commonness(ch);
        if (score < best) {
            best = score;
            third_.pos = pos;
        }
    }
    if (best < (1 << 30))
        third_ = valuesAt(third_.pos);
    BuildKernelProbes();
}

size_t TVuSearchMatcher::Verify(const uint8_t* at, const uint8_t* end) const
{
    if (utf8_)
        return VerifyUtf8(at, end);
    if (charSize_ == 1) {
        if (identity_)
            return std::memcmp(at, pattern_.data(), length_) == 0 ? length_ : 0;
        for (size_t j = 0; j < length_; ++j)
            if (class_[at[j]] != pattern_[j])
                return 0;
        return length_;
    }
    if (identity_)
        return std::memcmp(at, rawUnits_.data(), rawUnits_.size()) == 0 ? rawUnits_.size() : 0;
    for (size_t j = 0; j < length_; ++j) {
        uint16_t u = LoadRaw16(at + 2 * j);
        if (bigEndian_)
            u = Swap16(u);
        if (fold_[u] != units_[j])
            return 0;
    }
    return 2 * length_;
}

// Decodes the candidate as the text view reads the bytes: a character cut
// by the block's end, or an invalid byte, is U+FFFD, which no key is.
size_t TVuSearchMatcher::VerifyUtf8(const uint8_t* at, const uint8_t* end) const
{
    const uint8_t* p = at;
    for (char32_t key : keys_) {
        if (p >= end)
            return 0;
        char32_t cp;
        if (*p < 0x80) {
            cp = *p++;
        } else {
            p += Utf8DecodeChar(p, static_cast<size_t>(end - p), cp);
        }
        if (fold_ && cp < 0x10000)
            cp = fold_[cp];
        if (cp != key)
            return 0;
    }
    return static_cast<size_t>(p - at);
}

bool TVuSearchMatcher::IsDelimiterAt(const uint8_t* p) const
{
    if (charSize_ == 1)
        return delimiter_[*p];
    uint16_t u = LoadRaw16(p);
    return IsWordDelimiter(bigEndian_ ? Swap16(u) : u);
}



void TVuSearchMatcher::BuildKernelProbes()
{
    kernel_ = SearchKernel();
    if (!kernel_)
        return;
    // First, last and the rarest position between them; a probe with too
    // many forms is left out.
    std::vector<const Probe*> chosen;
    for (const Probe* p : {&first_, &second_})
        if (p->values.size() <= kMaxProbeValues && (chosen.empty() || chosen[0]->pos != p->pos))
            chosen.push_back(p);
    if (third_.values.size() <= kMaxProbeValues && third_.pos != first_.pos && third_.pos != second_.pos &&
        !third_.values.empty())
        chosen.push_back(&third_);
    if (chosen.empty()) {
        kernel_ = nullptr;
        return;
    }
    size_t most = 1;
    for (const Probe* p : chosen)
        most = std::max(most, p->values.size());
    probes_.probes = static_cast<int>(chosen.size());
    probes_.values = most == 1 ? 1 : most == 2 ? 2 : 4;
    for (size_t k = 0; k < chosen.size(); ++k) {
        probes_.pos[k] = chosen[k]->pos;
        for (int j = 0; j < probes_.values; ++j)
            probes_.value[k][j] = chosen[k]->values[std::min<size_t>(static_cast<size_t>(j), chosen[k]->values.size() - 1)];
    }
}

bool TVuSearchMatcher::VerifyCandidate(void* context, size_t candidate)
{
    auto* c = static_cast<VerifyContext*>(context);
    const size_t at = candidate * static_cast<size_t>(c->charSize);
    const size_t bytes = c->matcher->Verify(c->data + at, c->end);
    if (bytes == 0 || (c->accept && !(*c->accept)(at, bytes)))
        return false;
    c->matched = bytes;
    return true;
}

int64_t TVuSearchMatcher::Scan(const uint8_t* data, size_t size, bool forward, const Accept* accept,
                               size_t* matchBytes) const
{
    if (!canMatch_ || size < PatternBytes())
        return -1;
    // Candidates: every start from which the shortest match still fits.
    const size_t count = (size - PatternBytes()) / static_cast<size_t>(charSize_) + 1;
    VerifyContext context{this, data, data + size, accept, charSize_, 0};
    size_t lo = 0, hi = count;
    int64_t found = -1;
    if (kernel_) {
        const auto scan = charSize_ == 1 ? kernel_->scanBytes : kernel_->scanUnits;
        const int64_t hit = scan(data, count, probes_, forward, &VerifyCandidate, &context, &lo, &hi);
        if (hit >= 0)
            found = hit * charSize_;
    }
    // What the vector scan left: the ends of the block, or all of it.
    if (found < 0 && forward) {
        for (size_t i = lo; i < hi && found < 0; ++i)
            if (VerifyCandidate(&context, i))
                found = static_cast<int64_t>(i) * charSize_;
    } else if (found < 0) {
        for (size_t i = hi; i-- > lo && found < 0;)
            if (VerifyCandidate(&context, i))
                found = static_cast<int64_t>(i) * charSize_;
    }
    if (found >= 0 && matchBytes)
        *matchBytes = context.matched;
    return found;
}
