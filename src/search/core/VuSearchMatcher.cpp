#include "search/core/VuSearchMatcher.h"

#include <algorithm>
#include <cstring>

#include "text/core/VuxSProc.h"

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
    const TVuSearchMatcher::Accept* accept;
    int charSize;
};

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
    const auto* c = static_cast<const VerifyContext*>(context);
    const size_t at = candidate * static_cast<size_t>(c->charSize);
    return c->matcher->Verify(c->data + at) && (!c->accept || (*c->accept)(at));
}

int64_t TVuSearchMatcher::Scan(const uint8_t* data, size_t size, bool forward, const Accept* accept) const
{
    if (!canMatch_ || size < PatternBytes())
        return -1;
    const size_t count = size / static_cast<size_t>(charSize_) - length_ + 1;  // candidates
    VerifyContext context{this, data, accept, charSize_};
    size_t lo = 0, hi = count;
    if (kernel_) {
        const auto scan = charSize_ == 1 ? kernel_->scanBytes : kernel_->scanUnits;
        const int64_t hit = scan(data, count, probes_, forward, &VerifyCandidate, &context, &lo, &hi);
        if (hit >= 0)
            return hit * charSize_;
    }
    // What the vector scan left: the ends of the block, or all of it.
    if (forward) {
        for (size_t i = lo; i < hi; ++i)
            if (VerifyCandidate(&context, i))
                return static_cast<int64_t>(i) * charSize_;
    } else {
        for (size_t i = hi; i-- > lo;)
            if (VerifyCandidate(&context, i))
                return static_cast<int64_t>(i) * charSize_;
    }
    return -1;
}
