#include "app/core/ShellLink.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "text/core/VuxCodepages.h"
#include "text/core/VuxSProc.h"

namespace {

constexpr uint32_t kHeaderSize = 0x4C;
constexpr uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                    0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : uint32_t {
    HasLinkTargetIDList = 0x1,
    HasLinkInfo = 0x2,
    HasName = 0x4,
    HasRelativePath = 0x8,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
};

enum LinkInfoFlag : uint32_t {
    VolumeIDAndLocalBasePath = 0x1,
    CommonNetworkRelativeLinkAndPathSuffix = 0x2,
};

constexpr uint32_t kEnvironmentBlock = 0xA0000001;
constexpr size_t kEnvironmentBlockSize = 0x314;  // 8 + 260 ANSI + 520 UTF-16

// Bounds-checked little-endian reads over the shortcut's bytes.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}

    size_t size() const { return data_.size(); }
    bool Has(size_t at, size_t n) const { return at <= data_.size() && n <= data_.size() - at; }

    bool U16(size_t at, uint32_t& v) const
    {
        if (!Has(at, 2))
            return false;
        v = uint32_t(uint8_t(data_[at])) | uint32_t(uint8_t(data_[at + 1])) << 8;
        return true;
    }
    bool U32(size_t at, uint32_t& v) const
    {
        if (!Has(at, 4))
            return false;
        v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | uint8_t(data_[at + size_t(i)]);
        return true;
    }

    // A NUL-terminated ANSI text at `at`, ending at `limit` at the latest.
    std::string AnsiZ(size_t at, size_t limit) const
    {
        std::string bytes;
        for (size_t i = at; i < limit && i < data_.size() && data_[i] != '\0'; ++i)
            bytes += data_[i];
        return AnsiToUtf8(bytes);
    }
    // A NUL-terminated UTF-16LE text at `at`, ending at `limit` at the latest.
    std::string UnicodeZ(size_t at, size_t limit) const
    {
        std::u16string text;
        for (size_t i = at; i + 1 < limit && i + 1 < data_.size(); i += 2) {
            const char16_t c = char16_t(uint8_t(data_[i]) | uint8_t(data_[i + 1]) << 8);
            if (c == 0)
                break;
            text += c;
        }
        return Utf16ToUtf8(text);
    }
    // `count` characters at `at`, UTF-16LE or ANSI.
    bool Counted(size_t at, size_t count, bool unicode, std::string& out) const
    {
        const size_t n = unicode ? count * 2 : count;
        if (!Has(at, n))
            return false;
        out = unicode ? UnicodeZ(at, at + n) : AnsiToUtf8(std::string(data_.substr(at, n)));
        return true;
    }

    static std::string AnsiToUtf8(const std::string& bytes)
    {
        return Utf16ToUtf8(EncodingToUnicode(bytes, vEncANSI));
    }

private:
    std::string_view data_;
};

bool ReadLinkInfo(const Bytes& b, size_t at, ShellLinkData& out, size_t& next)
{
    uint32_t size = 0, headerSize = 0, flags = 0, localOffset = 0, netOffset = 0, suffixOffset = 0;
    if (!b.U32(at, size) || size < 0x1C || !b.Has(at, size) || !b.U32(at + 4, headerSize) ||
        !b.U32(at + 8, flags) || !b.U32(at + 16, localOffset) || !b.U32(at + 20, netOffset) ||
        !b.U32(at + 24, suffixOffset))
        return false;
    next = at + size;
    const size_t end = at + size;
    uint32_t localUnicode = 0, suffixUnicode = 0;
    if (headerSize >= 0x24 && (!b.U32(at + 28, localUnicode) || !b.U32(at + 32, suffixUnicode)))
        return false;

    if (flags & VolumeIDAndLocalBasePath) {
        out.localBasePath = localUnicode ? b.UnicodeZ(at + localUnicode, end) : b.AnsiZ(at + localOffset, end);
    }
    if (flags & CommonNetworkRelativeLinkAndPathSuffix) {
        const size_t net = at + netOffset;
        uint32_t netSize = 0, netNameOffset = 0, netNameUnicode = 0;
        if (!b.U32(net, netSize) || !b.U32(net + 8, netNameOffset))
            return false;
        const size_t netEnd = std::min(end, net + netSize);
        if (netNameOffset > 0x14 && b.U32(net + 20, netNameUnicode) && netNameUnicode)
            out.netName = b.UnicodeZ(net + netNameUnicode, netEnd);
        else
            out.netName = b.AnsiZ(net + netNameOffset, netEnd);
    }
    if (suffixUnicode)
        out.commonPathSuffix = b.UnicodeZ(at + suffixUnicode, end);
    else if (suffixOffset)
        out.commonPathSuffix = b.AnsiZ(at + suffixOffset, end);
    return true;
}

// "C:" of "C:\dir" lower-cased ("c"), or 0 when the path has no drive.
char DriveOf(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(uint8_t(path[0])))
        return char(std::tolower(uint8_t(path[0])));
    return 0;
}

std::string WinePrefix()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return std::string(prefix) + "/";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.wine/";
    return {};
}

bool Exists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(uint8_t(a[i])) != std::tolower(uint8_t(b[i])))
            return false;
    return true;
}

// `dir` + "/" + `part`, or the one entry of `dir` whose name matches `part`
// without regard to case when there is no exact one.
std::string Child(const std::string& dir, const std::string& part)
{
    const std::string exact = dir + "/" + part;
    if (Exists(exact))
        return exact;
    if (DIR* d = ::opendir(dir.empty() ? "/" : dir.c_str())) {
        std::string found;
        while (dirent* e = ::readdir(d)) {
            if (EqualIgnoringAsciiCase(e->d_name, part)) {
                found = dir + "/" + e->d_name;
                break;
            }
        }
        ::closedir(d);
        if (!found.empty())
            return found;
    }
    return exact;
}

}  // namespace

bool ParseShellLink(std::string_view data, ShellLinkData& out)
{
    out = ShellLinkData{};
    const Bytes b(data);
    uint32_t headerSize = 0;
    if (!b.U32(0, headerSize) || headerSize != kHeaderSize || !b.Has(0, kHeaderSize) ||
        std::memcmp(data.data() + 4, kLinkClsid, sizeof kLinkClsid) != 0)
        return false;
    b.U32(20, out.flags);
    size_t at = kHeaderSize;

    if (out.flags & HasLinkTargetIDList) {
        uint32_t idListSize = 0;
        if (!b.U16(at, idListSize) || !b.Has(at + 2, idListSize))
            return false;
        at += 2 + idListSize;
    }
    if (out.flags & HasLinkInfo) {
        size_t next = at;
        if (!ReadLinkInfo(b, at, out, next))
            return false;
        at = next;
    }

    const bool unicode = (out.flags & IsUnicode) != 0;
    std::string* const strings[] = {nullptr, &out.relativePath, &out.workingDir, &out.arguments, nullptr};
    const uint32_t stringFlags[] = {HasName, HasRelativePath, HasWorkingDir, HasArguments, HasIconLocation};
    for (size_t i = 0; i < 5; ++i) {
        if (!(out.flags & stringFlags[i]))
            continue;
        uint32_t count = 0;
        std::string text;
        if (!b.U16(at, count) || !b.Counted(at + 2, count, unicode, text))
            return false;
        if (strings[i])
            *strings[i] = text;
        at += 2 + (unicode ? 2 * size_t(count) : size_t(count));
    }

    // Extra data: only the environment-variable target matters here.
    for (;;) {
        uint32_t blockSize = 0, signature = 0;
        if (!b.U32(at, blockSize) || blockSize < 8 || !b.Has(at, blockSize) || !b.U32(at + 4, signature))
            break;
        if (signature == kEnvironmentBlock && blockSize >= kEnvironmentBlockSize) {
            out.envTarget = b.UnicodeZ(at + 8 + 260, at + kEnvironmentBlockSize);
            if (out.envTarget.empty())
                out.envTarget = b.AnsiZ(at + 8, at + 8 + 260);
        }
        at += blockSize;
    }
    return true;
}

std::string ShellLinkTargetPath(const ShellLinkData& link)
{
    if (!link.localBasePath.empty())
        return link.localBasePath + link.commonPathSuffix;
    if (!link.netName.empty())
        return link.commonPathSuffix.empty() ? link.netName : link.netName + "\\" + link.commonPathSuffix;
    return link.envTarget;
}

std::string LocalPathOf(const std::string& windowsPath, const std::string& baseDir)
{
    if (windowsPath.empty() || windowsPath.rfind("\\\\", 0) == 0)
        return {};
    std::string rest;
    std::string root;
    bool relative = false;
    if (const char drive = DriveOf(windowsPath)) {
        const std::string prefix = WinePrefix();
        const std::string link = prefix.empty() ? std::string() : prefix + "dosdevices/" + drive + ":";
        if (!link.empty() && Exists(link))
            root = link;
        else if (drive == 'z')
            root = "";  // the root folder, as Wine maps Z:
        else
            return {};
        rest = windowsPath.substr(2);
    } else if (windowsPath[0] == '\\' || windowsPath[0] == '/') {
        rest = windowsPath;
    } else {
        if (baseDir.empty())
            return {};
        root = baseDir.back() == '/' ? baseDir.substr(0, baseDir.size() - 1) : baseDir;
        rest = windowsPath;
        relative = true;
    }

    // Walk the parts, resolving "." and ".." as the shell does.
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || rest[i] == '\\' || rest[i] == '/') {
            const std::string part = rest.substr(start, i - start);
            start = i + 1;
            if (part.empty() || part == ".")
                continue;
            if (part == "..") {
                if (!parts.empty())
                    parts.pop_back();
                else if (relative && root.find('/') != std::string::npos)
                    root = root.substr(0, root.rfind('/'));  // above the shortcut's folder
                continue;
            }
            parts.push_back(part);
        }
    }
    std::string path = root;
    for (const std::string& part : parts)
        path = Child(path, part);
    return path.empty() ? "/" : path;
}

std::string LnkTarget(const std::string& lnkFile)
{
    std::ifstream in(lnkFile, std::ios::binary);
    if (!in)
        return {};
    // A shortcut is small; anything past 1 MB is not one worth reading.
    std::string bytes;
    bytes.resize(1 << 20);
    in.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(size_t(in.gcount()));

    ShellLinkData link;
    if (!ParseShellLink(bytes, link))
        return {};
    const size_t slash = lnkFile.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : lnkFile.substr(0, slash + 1);

    const std::string candidates[] = {LocalPathOf(ShellLinkTargetPath(link), folder),
                                      LocalPathOf(link.relativePath, folder)};
    for (const std::string& c : candidates)
        if (!c.empty() && IsRegularFile(c))
            return c;
    for (const std::string& c : candidates)
        if (!c.empty())
            return c;
    return {};
}
