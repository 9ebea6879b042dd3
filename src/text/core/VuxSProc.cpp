#include "text/core/VuxSProc.h"

#include <array>
#include <memory>
#include <stdexcept>
#include <unicode/uchar.h>

#include "text/core/VuxCodepages.h"
#include "text/core/VuxUtf8.h"

namespace {

template <typename Str, typename View>
void ReplaceAllImpl(Str& s, View what, View with)
{
    if (what.empty())
        return;
    if (with.find(what) != View::npos) {
        // Restarting from the start would find the replacement again.
        Str out;
        size_t from = 0;
        for (size_t at; (at = s.find(what, from)) != Str::npos; from = at + what.size()) {
            out.append(s, from, at - from);
            out.append(with);
        }
        out.append(s, from, Str::npos);
        s = std::move(out);
        return;
    }
    for (size_t at; (at = s.find(what)) != Str::npos;)
        s.replace(at, what.size(), with);
}

}  // namespace

void ReplaceFirstOf(std::u16string& s, std::u16string_view what, std::u16string_view with)
{
    if (what.empty())
        return;
    const size_t at = s.find(what);
    if (at != std::u16string::npos)
        s.replace(at, what.size(), with);
}

void ReplaceAllOf(std::u16string& s, std::u16string_view what, std::u16string_view with)
{
    ReplaceAllImpl(s, what, with);
}

void ReplaceAllOf(std::string& s, std::string_view what, std::string_view with)
{
    ReplaceAllImpl(s, what, with);
}

std::u16string SubstPercentS(std::u16string_view format, std::initializer_list<std::u16string_view> args)
{
    std::u16string out(format);
    size_t from = 0;
    for (std::u16string_view arg : args) {
        const size_t at = out.find(u"%s", from);
        if (at == std::u16string::npos)
            break;
        out.replace(at, 2, arg);
        from = at + arg.size();
    }
    return out;
}

int LastDelimiterPos(std::u16string_view delimiters, std::u16string_view s)
{
    const size_t at = s.find_last_of(delimiters);
    return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::u16string ExtOfFileName(std::u16string_view fileName)
{
    const size_t at = fileName.find_last_of(u"./\\:");
    if (at == std::u16string_view::npos || fileName[at] != u'.')
        return {};
    return std::u16string(fileName.substr(at));
}

char16_t LowerChar(char16_t ch)
{
    if (ch < 0x80)
        return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 32) : ch;
    if (ch >= 0xD800 && ch <= 0xDFFF)
        return ch;
    const UChar32 lower = u_tolower(ch);
    return lower <= 0xFFFF ? static_cast<char16_t>(lower) : ch;
}

const char16_t* LowerCaseTable()
{
    static const std::unique_ptr<char16_t[]> table = [] {
        auto t = std::make_unique<char16_t[]>(0x10000);
        for (unsigned u = 0; u < 0x10000; ++u)
            t[u] = LowerChar(static_cast<char16_t>(u));
        return t;
    }();
    return table.get();
}

void LowerInPlace(std::u16string& s)
{
    for (auto& ch : s)
        ch = LowerChar(ch);
}

void LowerInPlace(std::string& s)
{
    const char16_t* ansi = EncodingTable(vEncANSI);
    std::u16string lowered(256, u'\0');
    for (int b = 0; b < 256; ++b)
        lowered[b] = LowerChar(ansi[b]);
    const std::string back = UnicodeToAnsi(lowered);
    std::array<char, 256> map{};
    for (int b = 0; b < 256; ++b)
        map[b] = (back[b] == '?' && lowered[b] != u'?') ? static_cast<char>(b) : back[b];
    for (auto& c : s)
        c = map[static_cast<unsigned char>(c)];
}

void ZerosToSpaces(std::u16string& s)
{
    for (auto& ch : s)
        if (ch == 0)
            ch = u' ';
}

void ZerosToSpaces(std::string& s)
{
    for (auto& ch : s)
        if (ch == 0)
            ch = ' ';
}

void DropTrailingBlank(std::u16string& s)
{
    if (!s.empty() && (s.back() == u' ' || s.back() == u'\t'))
        s.pop_back();
}

std::u16string RepeatChar(char16_t ch, int count)
{
    return count > 0 ? std::u16string(static_cast<size_t>(count), ch) : std::u16string();
}

namespace {
constexpr char16_t kDelimiterChars[] =
    u"\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F"
    u"\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F"
    u" !\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~\x7F";
}  // namespace

const std::u16string_view kWordDelimiters(kDelimiterChars, sizeof kDelimiterChars / 2 - 1);

bool IsWordDelimiter(char16_t ch)
{
    if (ch < 0x30 || ch == 0x7F)
        return true;
    if (ch >= 0x80)
        return false;
    return (ch >= u':' && ch <= u'@') || (ch >= u'[' && ch <= u'^') || ch == u'`' || (ch >= u'{' && ch <= u'~');
}

std::u16string ExpandSingleTab(const TVuTabOptions& options)
{
    if (options.tabSize <= 0)
        throw std::logic_error("Tab size too small");
    int width = options.tabSize;
    if (options.alignToStops) {
        int offset = (options.position - 1) % options.tabSize;
        if (offset < 0)
            offset += options.tabSize;
        width = options.tabSize - offset;
    }
    std::u16string out(static_cast<size_t>(width), u' ');
    if (options.mark)
        out[static_cast<size_t>(width / 2)] = options.marker;
    return out;
}

std::u16string ExpandLineTabs(std::u16string_view line, const TVuTabOptions& options)
{
    // Each tab's column is its place in the text expanded so far, which is
    // what the output holds when the tab is reached.
    std::u16string out;
    out.reserve(line.size());
    TVuTabOptions tab = options;
    for (char16_t ch : line) {
        if (ch != u'\t') {
            out.push_back(ch);
            continue;
        }
        tab.position = static_cast<int>(out.size()) + 1;
        out += ExpandSingleTab(tab);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    char16_t units[2];
    for (size_t i = 0; i < n;) {
        char32_t cp = 0;
        i += size_t(Utf8DecodeChar(p + i, n - i, cp));
        out.append(units, size_t(Utf16Units(cp, units)));
    }
    return out;
}
