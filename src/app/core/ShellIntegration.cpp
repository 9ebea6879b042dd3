#include "app/core/ShellIntegration.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/core/AtomicFile.h"

namespace {

constexpr const char* kActionName = "View with Peekwell";

std::string Join(const std::string& dataHome, const std::string& relative)
{
    return dataHome + "/" + relative;
}

std::string ParentOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool Fail(std::string& error, const std::string& what, int code)
{
    error = what + ": " + std::strerror(code);
    return false;
}

// Creates `dir` and its missing parents with mode 0700.
bool MakeFolders(const std::string& dir, std::string& error)
{
    if (dir.empty())
        return true;
    struct stat st{};
    if (::stat(dir.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        return Fail(error, dir, ENOTDIR);
    }
    if (!MakeFolders(ParentOf(dir), error))
        return false;
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return Fail(error, dir, errno);
    return true;
}

bool Exists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Gives the execute bit to whoever may read the file.
bool MakeExecutable(const std::string& path, std::string& error)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return Fail(error, path, errno);
    const mode_t mode = (st.st_mode & 07777) | ((st.st_mode & 0444) >> 2);
    if (::chmod(path.c_str(), mode) != 0)
        return Fail(error, path, errno);
    return true;
}

bool IsPlainRelativePath(const std::string& path)
{
    if (path.empty() || path.front() == '/')
        return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return std::none_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string ManifestText(const std::vector<std::string>& paths)
{
    std::string text =
        "# Files Peekwell wrote for the file managers' \"View with Peekwell\" entry.\n"
        "# Switching the integration off in the options deletes exactly these.\n";
    for (const std::string& p : paths)
        text += p + "\n";
    return text;
}

bool WriteManifest(const std::string& dataHome, const std::vector<std::string>& paths, std::string& error)
{
    const std::string path = Join(dataHome, kShellManifest);
    if (!MakeFolders(ParentOf(path), error))
        return false;
    std::string why;
    if (!WriteFileAtomically(path, ManifestText(paths), why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}

// Deletes the listed entries; those that could not be deleted are left in
// `kept`. The first failure goes to `error`.
bool RemoveEntries(const std::string& dataHome, const std::vector<std::string>& paths,
                   std::vector<std::string>& kept, std::string& error)
{
    bool ok = true;
    for (const std::string& relative : paths) {
        const std::string path = Join(dataHome, relative);
        if (!Exists(path))
            continue;
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            if (ok)
                Fail(error, path, errno);
            ok = false;
            kept.push_back(relative);
        }
    }
    return ok;
}

std::string KeyFileString(const std::string& value)
{
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

std::string ShellDataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string home;
    if (xdg && xdg[0] == '/') {
        home = xdg;
    } else {
        const char* h = std::getenv("HOME");
        if (h && h[0] == '/') {
            home = h;
        } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
            home = pw->pw_dir;
        }
        while (!home.empty() && home.back() == '/')
            home.pop_back();
        home += "/.local/share";
    }
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home;
}

std::string DesktopExecArgument(const std::string& argument, bool doublePercent)
{
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%' && doublePercent)
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    return KeyFileString(quoted);
}

std::string ShellQuote(const std::string& argument)
{
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += '\'';
    return quoted;
}

bool ShellIntegrationEntries(const std::string& executable, std::vector<TShellEntry>& entries, std::string& error)
{
    entries.clear();
    if (executable.empty() || executable.front() != '/') {
        error = "The program's location is not a full path: \"" + executable + "\"";
        return false;
    }
    if (std::any_of(executable.begin(), executable.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
        error = "The program's location holds a control character and cannot be written into a menu entry";
        return false;
    }
    const std::string exec = DesktopExecArgument(executable);

    entries.push_back({"applications/peekwell.desktop",
                       "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n"
                       "Name=Peekwell\n"
                       "GenericName=File Viewer\n"
                       "Comment=View any file as text, hex, picture, media or document\n"
                       "TryExec=" + KeyFileString(executable) + "\n"
                       "Exec=" + exec + " %f\n"
                       "MimeType=application/octet-stream;\n"
                       "Categories=Utility;Viewer;\n"
                       "Terminal=false\n",
                       false});
    // Dolphin runs a service menu from the user's folder only when it is
    // executable.
    entries.push_back({"kio/servicemenus/peekwell.desktop",
                       "[Desktop Entry]\n"
                       "Type=Service\n"
                       "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
                       "MimeType=all/allfiles;\n"
                       "Actions=ViewWithPeekwell;\n"
                       "X-KDE-Priority=TopLevel\n"
                       "\n"
                       "[Desktop Action ViewWithPeekwell]\n"
                       "Name=" + std::string(kActionName) + "\n"
                       "Exec=" + exec + " %f\n",
                       true});
    entries.push_back({"nemo/actions/peekwell.nemo_action",
                       "[Nemo Action]\n"
                       "Active=true\n"
                       "Name=" + std::string(kActionName) + "\n"
                       "Comment=Open the file in Peekwell\n"
                       "Exec=" + DesktopExecArgument(executable, false) + " %F\n"
                       "Selection=s\n"
                       "Extensions=nodirs;\n"
                       "Quote=double\n",
                       false});
    // Nautilus lists the executable files of its scripts folder by name and
    // passes the selected files as arguments.
    entries.push_back({std::string("nautilus/scripts/") + kActionName,
                       "#!/bin/sh\n"
                       "# Opens the selected file in Peekwell. Written by Peekwell's options,\n"
                       "# which delete it again when the file managers' entry is switched off.\n"
                       "exec " + ShellQuote(executable) + " \"$@\"\n",
                       true});
    return true;
}

std::vector<std::string> ReadShellManifest(const std::string& dataHome)
{
    std::vector<std::string> paths;
    std::ifstream in(Join(dataHome, kShellManifest), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#' || !IsPlainRelativePath(line))
            continue;
        if (std::find(paths.begin(), paths.end(), line) == paths.end())
            paths.push_back(line);
    }
    return paths;
}

bool ShellIntegrationExists(const std::string& dataHome)
{
    const std::vector<std::string> paths = ReadShellManifest(dataHome);
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& p) { return Exists(Join(dataHome, p)); });
}

bool WriteShellIntegration(const std::string& dataHome, const std::string& executable, std::string& error)
{
    std::vector<TShellEntry> entries;
    if (!ShellIntegrationEntries(executable, entries, error))
        return false;

    std::vector<std::string> current;
    for (const TShellEntry& e : entries)
        current.push_back(e.Path);
    const std::vector<std::string> earlier = ReadShellManifest(dataHome);
    std::vector<std::string> stale;
    for (const std::string& p : earlier)
        if (std::find(current.begin(), current.end(), p) == current.end())
            stale.push_back(p);

    // Listed first, written second: whatever happens in between, the
    // manifest knows every file that may be there.
    std::vector<std::string> listed = stale;
    listed.insert(listed.end(), current.begin(), current.end());
    if (!WriteManifest(dataHome, listed, error))
        return false;

    for (const TShellEntry& e : entries) {
        const std::string path = Join(dataHome, e.Path);
        if (!MakeFolders(ParentOf(path), error))
            return false;
        std::string why;
        if (!WriteFileAtomically(path, e.Content, why)) {
            error = path + ": " + why;
            return false;
        }
        if (e.Executable && !MakeExecutable(path, error))
            return false;
    }

    std::vector<std::string> kept;
    const bool removed = RemoveEntries(dataHome, stale, kept, error);
    kept.insert(kept.end(), current.begin(), current.end());
    std::string manifestError;
    if (!WriteManifest(dataHome, kept, manifestError)) {
        if (removed)
            error = manifestError;
        return false;
    }
    return removed;
}

bool RemoveShellIntegration(const std::string& dataHome, std::string& error)
{
    const std::string manifest = Join(dataHome, kShellManifest);
    if (!Exists(manifest))
        return true;
    std::vector<std::string> kept;
    if (!RemoveEntries(dataHome, ReadShellManifest(dataHome), kept, error)) {
        std::string ignored;
        WriteManifest(dataHome, kept, ignored);
        return false;
    }
    if (::unlink(manifest.c_str()) != 0 && errno != ENOENT)
        return Fail(error, manifest, errno);
    ::rmdir(ParentOf(manifest).c_str());  // only when empty; anything else there stays
    return true;
}
