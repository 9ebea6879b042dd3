#include "app/core/IniDocument.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t npos = std::string::npos;

std::string_view Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::string_view ValueOf(std::string_view lineText)
{
    std::string_view v = Trim(lineText.substr(lineText.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

std::optional<int32_t> ParseInteger(std::string_view s)
{
    s = Trim(s);
    if (s.empty())
        return std::nullopt;
    bool negative = false;
    if (s[0] == '-' || s[0] == '+') {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || (base == 16 && s.size() > 8))
        return std::nullopt;
    uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    if (base == 16) {
        // A hexadecimal value is a bit pattern: $FFFFFFFF is -1.
        auto pattern = static_cast<uint32_t>(magnitude);
        if (negative)
            pattern = 0u - pattern;
        return static_cast<int32_t>(pattern);
    }
    const int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text)
{
    IniDocument doc;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        doc.bom_ = true;
        text.remove_prefix(3);
    }
    bool firstLine = true;
    bool inSection = false;
    while (!text.empty()) {
        size_t nl = text.find('\n');
        std::string_view raw = text.substr(0, nl);
        text.remove_prefix(nl == npos ? text.size() : nl + 1);
        bool crlf = !raw.empty() && raw.back() == '\r';
        if (crlf)
            raw.remove_suffix(1);
        if (firstLine && nl != npos)
            doc.eol_ = crlf ? "\r\n" : "\n";
        firstLine = false;

        Line line;
        if (raw.size() > kMaxLineLength || raw.find('\0') != std::string_view::npos) {
            line.kind = Kind::Damaged;
            doc.lines_.push_back(std::move(line));
            continue;
        }
        line.text = std::string(raw);
        std::string_view t = Trim(raw);
        if (!t.empty() && t[0] == '[') {
            size_t close = t.find(']');
            line.kind = Kind::Section;
            line.name = std::string(Trim(t.substr(1, close == npos ? npos : close - 1)));
            inSection = true;
        } else if (inSection && !t.empty() && t[0] != ';' && t.find('=') != npos) {
            line.kind = Kind::Key;
            line.name = std::string(Trim(t.substr(0, t.find('='))));
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

IniDocument IniDocument::Load(const std::string& path, bool* readable)
{
    if (readable)
        *readable = true;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (readable)
            *readable = errno == ENOENT;
        return {};
    }
    std::string data;
    char buf[64 * 1024];
    bool ok = true;
    while (data.size() < kMaxFileSize) {
        ssize_t n = ::read(fd, buf, std::min(sizeof buf, kMaxFileSize - data.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok) {
        if (readable)
            *readable = false;
        return {};
    }
    return Parse(data);
}

size_t IniDocument::FindSection(std::string_view section) const
{
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, section))
            return i;
    return npos;
}

size_t IniDocument::FindKey(size_t header, std::string_view key) const
{
    for (size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind == Kind::Key && SameName(lines_[i].name, key))
            return i;
    return npos;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const
{
    size_t header = FindSection(section);
    if (header == npos)
        return std::nullopt;
    size_t k = FindKey(header, key);
    if (k == npos)
        return std::nullopt;
    return std::string(ValueOf(lines_[k].text));
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key, const std::string& def) const
{
    auto v = Value(section, key);
    return v ? *v : def;
}

int32_t IniDocument::ReadInteger(std::string_view section, std::string_view key, int32_t def) const
{
    auto v = Value(section, key);
    if (!v)
        return def;
    return ParseInteger(*v).value_or(def);
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniDocument::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string clean(value);
    for (char& c : clean)
        if (c == '\r' || c == '\n')
            c = ' ';

    size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty())
            lines_.push_back({});
        lines_.push_back({"[" + std::string(section) + "]", Kind::Section, std::string(section)});
        lines_.push_back({std::string(key) + "=" + clean, Kind::Key, std::string(key)});
        return;
    }
    size_t k = FindKey(header, key);
    if (k != npos) {
        lines_[k].text = lines_[k].name + "=" + clean;
        return;
    }
    size_t insertAt = header + 1;
    for (size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind == Kind::Key)
            insertAt = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Line{std::string(key) + "=" + clean, Kind::Key, std::string(key)});
}

void IniDocument::WriteInteger(std::string_view section, std::string_view key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void IniDocument::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

std::string IniDocument::Text() const
{
    std::string out;
    if (bom_)
        out = "\xEF\xBB\xBF";
    for (const Line& line : lines_) {
        if (line.kind == Kind::Damaged)
            continue;
        out += line.text;
        out += eol_;
    }
    return out;
}
