#include "i18n/core/StringUtils.h"

#include <cstdint>
#include <unordered_map>

#include "text/core/VuxCodepages.h"
#include "text/core/VuxSProc.h"

EQuillonToStringError::EQuillonToStringError(std::size_t position, std::u16string decoded)
    : std::runtime_error("Unexpected character at position " + std::to_string(position)),
      position_(position), decoded_(std::move(decoded))
{
}

namespace {

template <class S, class V>
S SplitLeftImpl(S& s, V separator)
{
    const auto at = separator.empty() ? S::npos : s.find(separator);
    if (at == S::npos) {
        S all = std::move(s);
        s.clear();
        return all;
    }
    S left = s.substr(0, at);
    s.erase(0, at + separator.size());
    return left;
}

[[noreturn]] void Unsupported(int codepage)
{
    throw ELanguageValueError("Code page " + std::to_string(codepage) + " is not supported");
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

bool IsBlank(char16_t c) { return c <= u' '; }

std::u16string_view Trim(std::u16string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

[[noreturn]] void BadDecoded(std::u16string_view value)
{
    throw ELanguageValueError("Bad decoded string: \"" + WideToUtf8(value) + "\"");
}

}  // namespace

std::string SplitLeft(std::string& s, std::string_view separator) { return SplitLeftImpl(s, separator); }

std::u16string SplitLeft(std::u16string& s, std::u16string_view separator)
{
    return SplitLeftImpl(s, separator);
}

bool IsCodepageConvertible(int codepage)
{
    const int cp = ResolveCodepage(codepage);
    return cp == kUtf8Codepage || (cp > 0 && CodepageTable(cp) != nullptr);
}

std::u16string Utf8ToWide(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        char32_t min = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, c = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, c = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, c = b & 0x07, min = 0x10000;
        } else {
            out.push_back(u'\xFFFD');
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        for (; j < text.size() && j <= i + extra; ++j) {
            const auto cont = static_cast<unsigned char>(text[j]);
            if ((cont & 0xC0) != 0x80)
                break;
            c = (c << 6) | (cont & 0x3F);
        }
        if (j != i + 1 + extra || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            // A broken sequence stands for one replacement character and
            // decoding goes on at the first byte that did not belong to it.
            out.push_back(u'\xFFFD');
            i = (j == i + 1) ? i + 1 : j;
            continue;
        }
        AppendUtf16(out, c);
        i = j;
    }
    return out;
}

std::string WideToUtf8(std::u16string_view text)
{
    return Utf16ToUtf8(text);
}

std::u16string ToWideCP(std::string_view text, int codepage)
{
    const int cp = ResolveCodepage(codepage);
    if (cp == kUtf8Codepage)
        return Utf8ToWide(text);
    const char16_t* table = cp > 0 ? CodepageTable(cp) : nullptr;
    if (!table)
        Unsupported(codepage);
    std::u16string out(text.size(), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = table[static_cast<unsigned char>(text[i])];
    return out;
}

std::string ToAnsiCP(std::u16string_view text, int codepage)
{
    const int cp = ResolveCodepage(codepage);
    if (cp == kUtf8Codepage)
        return WideToUtf8(text);
    const char16_t* table = cp > 0 ? CodepageTable(cp) : nullptr;
    if (!table)
        Unsupported(codepage);
    // The lowest byte wins where two bytes share a character.
    std::unordered_map<char16_t, char> reverse;
    for (int b = 255; b >= 0; --b)
        if (table[b] != u'\xFFFD')
            reverse[table[b]] = static_cast<char>(b);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto it = reverse.find(text[i]);
        out.push_back(it != reverse.end() ? it->second : '?');
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            ++i;  // one "?" for a character outside the basic plane
    }
    return out;
}

std::u16string DecodeLiteral(std::u16string_view value)
{
    std::u16string out;
    std::size_t i = 0;
    const std::size_t n = value.size();
    while (i < n) {
        const char16_t c = value[i];
        if (c == u'\'') {
            ++i;
            for (;;) {
                if (i >= n)
                    BadDecoded(value);  // unterminated segment
                if (value[i] == u'\'') {
                    if (i + 1 < n && value[i + 1] == u'\'') {
                        out.push_back(u'\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out.push_back(value[i++]);
            }
        } else if (c == u'#') {
            ++i;
            const std::size_t digits = i;
            uint32_t code = 0;
            while (i < n && value[i] >= u'0' && value[i] <= u'9') {
                code = code * 10 + (value[i] - u'0');
                if (code > 0xFFFF)
                    BadDecoded(value);  // no UTF-16 code unit has that number
                ++i;
            }
            if (i == digits)
                BadDecoded(value);
            out.push_back(static_cast<char16_t>(code));
            if (i < n && value[i] != u'#' && value[i] != u'\'')
                BadDecoded(value);
        } else {
            throw EQuillonToStringError(i + 1, std::move(out));
        }
    }
    return out;
}

std::u16string DecodeLiteralLenient(std::u16string_view value)
{
    std::u16string result;
    std::u16string_view rest = value;
    for (bool first = true;; first = false) {
        if (!first)
            result.push_back(u'\r');
        try {
            result += DecodeLiteral(rest);
            return result;
        } catch (const EQuillonToStringError& e) {
            result += e.Decoded();
            rest = Trim(rest.substr(e.Position()));
        }
    }
}

std::u16string DecodeValue(std::u16string_view value, bool humanized, std::u16string_view divider,
                           std::u16string_view lineBreak)
{
    if (!humanized)
        return DecodeLiteralLenient(value);
    std::u16string out;
    if (divider.empty())
        return std::u16string(value);
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = value.find(divider, from);
        if (at == std::u16string_view::npos)
            break;
        out.append(value.substr(from, at - from));
        out.append(lineBreak);
        from = at + divider.size();
    }
    out.append(value.substr(from));
    return out;
}
