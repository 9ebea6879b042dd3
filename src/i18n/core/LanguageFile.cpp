#include "i18n/core/LanguageFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <memory>
#include <optional>

#include "i18n/core/StringUtils.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

bool IsComment(std::string_view line) { return line.empty() || line[0] == ';'; }

std::u16string Quoted(std::u16string_view s) { return u"\"" + std::u16string(s) + u"\""; }

// Decimal integer with an optional sign, nothing else; nullopt outside the
// 32-bit range.
std::optional<int32_t> ParseInt32(std::string_view s)
{
    if (!s.empty() && s[0] == '+')
        s.remove_prefix(1);
    if (s.empty() || s[0] == '+')
        return std::nullopt;
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::optional<int32_t> ParseInt32(std::u16string_view s)
{
    std::string narrow;
    for (char16_t c : s) {
        if (c > 0x7F)
            return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    return ParseInt32(std::string_view(narrow));
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The value of the first line "name=value" whose name equals `name`
// ignoring letter case (line 1, the signature, is not a header line).
std::optional<std::string_view> HeaderValue(const std::vector<std::string_view>& lines, std::string_view name)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto eq = lines[i].find('=');
        if (eq != std::string_view::npos && EqualsNoCase(lines[i].substr(0, eq), name))
            return lines[i].substr(eq + 1);
    }
    return std::nullopt;
}

bool StartsWith(std::u16string_view s, std::u16string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// What a marked line ("(x)", "(!)", any other "(") of a section means.
enum TLineMark : uint8_t { lmNone, lmObsolete, lmUntranslated, lmSkipped };

TLineMark MarkOf(std::u16string_view line)
{
    if (StartsWith(line, u"(x)"))
        return lmObsolete;
    if (StartsWith(line, u"(!)"))
        return lmUntranslated;
    if (StartsWith(line, u"("))
        return lmSkipped;
    return lmNone;
}

std::u16string MarkReport(TLineMark mark, std::u16string_view line, std::u16string_view obsoleteAdvice)
{
    if (mark == lmObsolete)
        return u"Obsolete line in language file:\r\n" + Quoted(line) + u"\r\n" + std::u16string(obsoleteAdvice);
    return u"Untranslated line in language file:\r\n" + Quoted(line) + u"\r\nYou have to translate it!";
}

// Reads a whole file; the error text is the system's reason.
bool ReadWholeFile(const std::string& name, std::string& bytes, std::string& error)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(name.c_str(), "rb"), &std::fclose);
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    char buf[65536];
    for (;;) {
        const std::size_t got = std::fread(buf, 1, sizeof buf, f.get());
        bytes.append(buf, got);
        if (got < sizeof buf) {
            if (std::ferror(f.get())) {
                error = std::strerror(errno);
                return false;
            }
            return true;
        }
    }
}

}  // namespace

struct TLanguageTranslations::THeader {
    int Codepage = 0;
    bool Humanized = false;
    std::u16string Divider = u"\\";
};

std::vector<std::string_view> SplitLanguageLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

TLanguageTranslations::TLanguageTranslations(int defaultCodepage, TResStringer& resStrings)
    : defaultCodepage_(defaultCodepage), resStrings_(resStrings)
{
}

void TLanguageTranslations::Report(const std::u16string& message) const
{
    if (report_)
        report_(message);
}

const TResForm* TLanguageTranslations::FindForm(std::u16string_view className) const
{
    for (const auto& f : forms_)
        if (f.Name == className)
            return &f;
    return nullptr;
}

bool TLanguageTranslations::LoadFile(const std::string& fileName)
{
    std::string name = fileName;
    if (name.size() < 4 || !EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".lng"))
        name += ".lng";
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(name, bytes, error)) {
        forms_.clear();
        hadResStrings_ = false;
        Report(u"Error while loading language file " + Quoted(Utf8ToWide(name)) + u"\r\n" + Utf8ToWide(error));
        return false;
    }
    return LoadText(bytes, name);
}

bool TLanguageTranslations::LoadText(std::string_view bytes, const std::string& fileName)
{
    forms_.clear();
    hadResStrings_ = false;
    const std::u16string path = Quoted(Utf8ToWide(fileName));

    const std::vector<std::string_view> lines = SplitLanguageLines(bytes);
    if (lines.empty() ||
        (lines[0] != kLanguageFileSignature &&
         !(lines[0].substr(0, kBom.size()) == kBom && lines[0].substr(kBom.size()) == kLanguageFileSignature))) {
        Report(u"Bad signature in language file " + path);
        return false;
    }

    THeader h;
    h.Codepage = defaultCodepage_;
    if (const auto cp = HeaderValue(lines, "Codepage")) {
        const auto n = ParseInt32(TrimBlanks(*cp));
        if (!n) {
            Report(u"Bad codepage in language file " + path);
            return false;
        }
        h.Codepage = *n;
    }

    try {
        if (!IsCodepageConvertible(h.Codepage))
            throw ELanguageValueError("Code page " + std::to_string(h.Codepage) + " is not supported");
        const auto humanize = HeaderValue(lines, "Humanize");
        h.Humanized = humanize && *humanize == "1";
        if (h.Humanized)
            if (const auto divider = HeaderValue(lines, "HumanizeDivider"))
                h.Divider = ToWideCP(*divider, h.Codepage);

        std::size_t form = SIZE_MAX;  // index into forms_ of the open section
        std::size_t i = 1;
        while (i < lines.size()) {
            const std::string_view line = lines[i];
            if (IsComment(line)) {
                ++i;
                continue;
            }
            if (line[0] == '[') {
                if (EqualsNoCase(line, "[RESOURCESTRINGS]")) {
                    i = LoadResStrings(lines, i + 1, h);
                    form = SIZE_MAX;
                    continue;
                }
                if (line.substr(1, 3) == "(x)") {
                    Report(u"Deleted component in language file:\r\n" + Quoted(ToWideCP(line, h.Codepage)) +
                           u"\r\nYou have to remove it!");
                    return false;
                }
                const std::string_view name = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string_view();
                forms_.push_back(TResForm{ToWideCP(name, h.Codepage), {}, {}});
                form = forms_.size() - 1;
                ++i;
                continue;
            }
            ++i;
            if (form == SIZE_MAX)
                continue;  // before the first section: neither header nor entry
            std::u16string rest = ToWideCP(line, h.Codepage);
            if (const TLineMark mark = MarkOf(rest); mark != lmNone) {
                if (mark != lmSkipped)
                    Report(MarkReport(mark, rest, u"You have to remove it!"));
                continue;
            }
            const std::u16string whole = rest;
            std::u16string key = SplitLeft(rest, u"=");
            std::u16string path = key.substr(0, key.find(u'{'));
            if (path.empty()) {
                Report(u"Bad line in language file: " + Quoted(whole));
                return false;
            }
            std::u16string value = DecodeValue(rest, h.Humanized, h.Divider, u"\r");
            forms_[form].Paths.push_back(std::move(path));
            forms_[form].Values.push_back(std::move(value));
        }
        return true;
    } catch (const ELanguageValueError& e) {
        Report(u"Error while loading language file " + path + u"\r\n" + Utf8ToWide(e.what()));
        return false;
    }
}

std::size_t TLanguageTranslations::LoadResStrings(const std::vector<std::string_view>& lines, std::size_t first,
                                                  const THeader& h)
{
    hadResStrings_ = true;
    // Whatever happens below, the entries read so far become the
    // translations, so a section cut short by a bad value still counts.
    struct TCommit {
        TResStringer& target;
        std::vector<TResStringEntry> entries;
        ~TCommit() { target.Assign(std::move(entries)); }
    } commit{resStrings_, {}};

    std::size_t i = first;
    for (; i < lines.size() && (lines[i].empty() || lines[i][0] != '['); ++i) {
        if (IsComment(lines[i]))
            continue;
        std::u16string rest = ToWideCP(lines[i], h.Codepage);
        if (const TLineMark mark = MarkOf(rest); mark != lmNone) {
            if (mark != lmSkipped)
                Report(MarkReport(mark, rest, u"You have to delete it!"));
            continue;
        }
        const std::u16string idText = SplitLeft(rest, u"_");
        const auto id = ParseInt32(idText);
        if (!id) {
            // Such a line must never match, so it is not kept at all.
            Report(u"Bad resource ID in language file: " + Quoted(idText));
            continue;
        }
        SplitLeft(rest, u"=");
        commit.entries.push_back({*id, DecodeValue(rest, h.Humanized, h.Divider, u"\r\n")});
    }
    return i;
}
