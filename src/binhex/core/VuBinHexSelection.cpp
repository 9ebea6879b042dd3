#include "binhex/core/VuBinHexSelection.h"

#include "text/core/VuxCodepages.h"
#include "text/core/VuxSProc.h"
#include "text/core/VuxUtf8.h"

#include <algorithm>
#include <stdexcept>

namespace {

// A control character the view draws as "." separates words and lines
// alike; a real "." only separates words.
bool IsDelimiterAt(const TVuBinHexModel& model, int64_t pos, bool line)
{
    const char16_t shown = model.GetChar(pos, false);
    if (shown == u'.' && model.RawChar(pos) != u'.')
        return true;
    return line ? IsLineDelimiter(shown) : IsWordDelimiter(shown);
}

}  // namespace

bool IsLineDelimiter(char16_t ch) { return ch == 13 || ch == 10; }

TVuByteRange WordOrLineAt(const TVuBinHexModel& model, int64_t q, bool line)
{
    if (model.IsOutOfBuffer(q))
        return {std::max<int64_t>(q, 0), 0};
    const int limit = model.LineLimit();
    int64_t start = q;
    for (int i = 0; i < limit; ++i) {
        const int64_t prev = model.PrevCharStart(start);
        if (model.IsOutOfBuffer(prev) || IsDelimiterAt(model, prev, line))
            break;
        start = prev;
    }
    int64_t end = q;
    for (int i = 0; i < limit; ++i) {
        const int64_t next = end + model.CharBytesAt(end);
        if (model.IsOutOfBuffer(next) || IsDelimiterAt(model, next, line))
            break;
        end = next;
    }
    return {start, end + model.CharBytesAt(end) - start};
}

std::string SelectedBytes(TVuBinHexModel& model)
{
    if (!model.HasSource() || model.SelLength() <= 0)
        return {};
    const int64_t count = std::min(model.SelLength(), kCopyLimitBytes);
    std::string bytes(size_t(count), '\0');
    const int64_t got = model.ReadSourceBytes(bytes.data(), count, model.SelStart());
    if (got < 0) {
        model.ReportReadError();
        return {};
    }
    bytes.resize(size_t(got));
    if (model.IsMultiByteText() && got == kCopyLimitBytes && model.SelLength() > kCopyLimitBytes) {
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
        const size_t last = Utf8CharStart(p, bytes.size(), bytes.size() - 1);
        if (Utf8SequenceLength(p + last, bytes.size() - last) == 0 && p[last] >= 0xC2)
            bytes.resize(last);  // a lead whose sequence the limit cut
    }
    return bytes;
}

std::string SelectionText(TVuBinHexModel& model)
{
    if (IsUnicodeMode(model.Mode()))
        throw std::logic_error("SelText is called in Unicode mode");
    const std::string bytes = SelectedBytes(model);
    // A UTF-16 encoding has no byte table: the single-byte modes show each
    // of its bytes as "?", and so does the text taken from them.
    if (IsUnicodeEncoding(model.TextEncoding()))
        return std::string(bytes.size(), '?');
    std::u16string text = EncodingToUnicode(bytes, model.TextEncoding());
    // A surrogate pair is one character: one "?", not two.
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        text[kept++] = pair ? u'\uFFFD' : text[i];
        i += pair ? 1 : 0;
    }
    text.resize(kept);
    return UnicodeToAnsi(text);
}

std::u16string SelectionTextUnicode(TVuBinHexModel& model)
{
    if (IsUnicodeMode(model.Mode()))
        return SelectionTextW(model);
    const std::string bytes = SelectedBytes(model);
    if (IsUnicodeEncoding(model.TextEncoding()))
        return std::u16string(bytes.size(), u'?');
    return EncodingToUnicode(bytes, model.TextEncoding());
}

std::u16string SelectionTextW(TVuBinHexModel& model)
{
    if (!IsUnicodeMode(model.Mode()))
        throw std::logic_error("SelTextW is called in non-Unicode mode");
    const std::string bytes = SelectedBytes(model);
    return BytesToUnicode(bytes.data(), int64_t(bytes.size()), model.ByteOrder() == vufBigEndian);
}
