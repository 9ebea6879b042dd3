#include "app/core/DesktopEntries.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

std::string Trim(std::string_view s)
{
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r'))
        --b;
    return std::string(s.substr(a, b - a));
}

// The escapes of string values: \s \n \t \r \\.
std::string Unescape(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        switch (const char c = s[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += '\\', out += c; break;
        }
    }
    return out;
}

std::vector<std::string> SplitList(std::string_view s)
{
    std::vector<std::string> items;
    std::string item;
    for (char c : s) {
        if (c == ';') {
            if (!item.empty())
                items.push_back(Trim(item));
            item.clear();
        } else {
            item += c;
        }
    }
    if (!Trim(item).empty())
        items.push_back(Trim(item));
    return items;
}

// Calls `onPair(group, key, value)` for every key of `text`.
template <class F>
void ForEachKey(std::string_view text, F onPair)
{
    std::string group;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        const std::string t = Trim(line);
        if (t.empty() || t[0] == '#')
            continue;
        if (t.front() == '[' && t.back() == ']') {
            group = t.substr(1, t.size() - 2);
            continue;
        }
        const size_t eq = t.find('=');
        if (eq == std::string::npos)
            continue;
        onPair(group, Trim(std::string_view(t).substr(0, eq)), Trim(std::string_view(t).substr(eq + 1)));
    }
}

std::vector<std::string> EnvDirs(const char* var, const std::string& fallback)
{
    std::vector<std::string> dirs;
    const char* value = std::getenv(var);
    std::string list = value && *value ? value : fallback;
    std::string dir;
    for (size_t i = 0; i <= list.size(); ++i) {
        if (i == list.size() || list[i] == ':') {
            if (!dir.empty() && dir[0] == '/')
                dirs.push_back(dir.back() == '/' ? dir : dir + "/");
            dir.clear();
        } else {
            dir += list[i];
        }
    }
    return dirs;
}

std::string HomeDir(const char* var, const char* below)
{
    if (const char* v = std::getenv(var); v && *v == '/')
        return std::string(v) + (std::string(v).back() == '/' ? "" : "/");
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/" + below : std::string();
}

bool ProgramExists(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return ::access(program.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

bool ParseDesktopEntry(std::string_view text, const std::vector<std::string>& languages, DesktopEntry& out)
{
    out = DesktopEntry{};
    std::string type;
    bool hidden = false;
    int nameRank = -1;  // languages.size() for the plain Name
    ForEachKey(text, [&](const std::string& group, const std::string& key, const std::string& value) {
        if (group != "Desktop Entry")
            return;
        if (key == "Type")
            type = value;
        else if (key == "Exec")
            out.exec = Unescape(value);
        else if (key == "TryExec")
            out.tryExec = Unescape(value);
        else if (key == "Icon")
            out.icon = Unescape(value);
        else if (key == "MimeType")
            out.mimeTypes = SplitList(value);
        else if (key == "Terminal")
            out.terminal = value == "true";
        else if (key == "NoDisplay")
            out.noDisplay = value == "true";
        else if (key == "Hidden")
            hidden = value == "true";
        else if (key == "Name" && nameRank < 0)
            out.name = Unescape(value), nameRank = int(languages.size());
        else if (key.rfind("Name[", 0) == 0 && key.back() == ']') {
            const std::string lang = key.substr(5, key.size() - 6);
            const auto it = std::find(languages.begin(), languages.end(), lang);
            const int rank = int(it - languages.begin());
            if (it != languages.end() && (nameRank < 0 || rank < nameRank))
                out.name = Unescape(value), nameRank = rank;
        }
    });
    return type == "Application" && !hidden && !out.name.empty() && !out.exec.empty();
}

std::vector<std::string> DataDirs()
{
    std::vector<std::string> dirs;
    if (std::string home = HomeDir("XDG_DATA_HOME", ".local/share/"); !home.empty())
        dirs.push_back(home);
    for (const std::string& d : EnvDirs("XDG_DATA_DIRS", "/usr/local/share/:/usr/share/"))
        dirs.push_back(d);
    return dirs;
}

std::vector<std::string> ConfigDirs()
{
    std::vector<std::string> dirs;
    if (std::string home = HomeDir("XDG_CONFIG_HOME", ".config/"); !home.empty())
        dirs.push_back(home);
    for (const std::string& d : EnvDirs("XDG_CONFIG_DIRS", "/etc/xdg/"))
        dirs.push_back(d);
    return dirs;
}

std::vector<std::string> LocaleLanguages()
{
    const char* value = nullptr;
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if ((value = std::getenv(var)) && *value)
            break;
    std::string locale = value ? value : "";
    std::string modifier;
    if (size_t at = locale.find('@'); at != std::string::npos)
        modifier = locale.substr(at), locale.erase(at);
    if (size_t dot = locale.find('.'); dot != std::string::npos)
        locale.erase(dot);
    if (locale.empty() || locale == "C" || locale == "POSIX")
        return {};
    const std::string lang = locale.substr(0, locale.find('_'));
    std::vector<std::string> names;
    auto add = [&](const std::string& n) {
        if (std::find(names.begin(), names.end(), n) == names.end())
            names.push_back(n);
    };
    if (!modifier.empty())
        add(locale + modifier);
    add(locale);
    if (!modifier.empty())
        add(lang + modifier);
    add(lang);
    return names;
}

std::vector<DesktopEntry> InstalledApplications(const std::vector<std::string>& dataDirs,
                                                const std::vector<std::string>& languages)
{
    namespace fs = std::filesystem;
    std::vector<DesktopEntry> apps;
    std::set<std::string> seen;
    for (const std::string& dataDir : dataDirs) {
        const fs::path root = fs::path(dataDir) / "applications";
        std::error_code ec;
        std::vector<fs::path> files;
        for (fs::recursive_directory_iterator it(root, fs::directory_options::follow_directory_symlink, ec), end;
             !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".desktop")
                files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::string id = fs::relative(file, root, ec).generic_string();
            std::replace(id.begin(), id.end(), '/', '-');
            if (!seen.insert(id).second)
                continue;  // an earlier folder has it (a hidden one hides it too)
            DesktopEntry entry;
            if (!ParseDesktopEntry(ReadFile(file.string()), languages, entry))
                continue;
            if (!entry.tryExec.empty() && !ProgramExists(entry.tryExec))
                continue;
            entry.id = id;
            entry.path = file.string();
            apps.push_back(std::move(entry));
        }
    }
    return apps;
}

void ReadMimeApps(std::string_view text, MimeAssociations& into)
{
    ForEachKey(text, [&](const std::string& group, const std::string& key, const std::string& value) {
        std::map<std::string, std::vector<std::string>>* table = group == "Default Applications" ? &into.defaults
                                                                 : group == "Added Associations" ? &into.added
                                                                 : group == "Removed Associations" ? &into.removed
                                                                                                   : nullptr;
        if (!table)
            return;
        std::vector<std::string>& ids = (*table)[key];
        for (const std::string& id : SplitList(value))
            if (std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(id);
    });
}

MimeAssociations LoadMimeAssociations(const std::vector<std::string>& configDirs,
                                      const std::vector<std::string>& dataDirs)
{
    MimeAssociations associations;
    for (const std::string& dir : configDirs)
        ReadMimeApps(ReadFile(dir + "mimeapps.list"), associations);
    for (const std::string& dir : dataDirs)
        ReadMimeApps(ReadFile(dir + "applications/mimeapps.list"), associations);
    return associations;
}

std::vector<DesktopEntry> ApplicationsFor(const std::vector<DesktopEntry>& apps,
                                          const std::vector<std::string>& mimeTypes,
                                          const MimeAssociations& associations)
{
    auto listed = [](const std::map<std::string, std::vector<std::string>>& table, const std::string& type,
                     const std::string& id) {
        const auto it = table.find(type);
        return it != table.end() && std::find(it->second.begin(), it->second.end(), id) != it->second.end();
    };
    auto byId = [&](const std::string& id) -> const DesktopEntry* {
        for (const DesktopEntry& app : apps)
            if (app.id == id)
                return &app;
        return nullptr;
    };

    std::vector<DesktopEntry> result;
    std::set<std::string> taken;
    // Defaults, in the order of the types and of the lists.
    for (const std::string& type : mimeTypes) {
        const auto it = associations.defaults.find(type);
        if (it == associations.defaults.end())
            continue;
        for (const std::string& id : it->second)
            if (const DesktopEntry* app = byId(id); app && !listed(associations.removed, type, id) &&
                                                     taken.insert(id).second)
                result.push_back(*app);
    }
    // Every other application for one of the types, by name.
    std::vector<DesktopEntry> others;
    for (const DesktopEntry& app : apps) {
        if (taken.count(app.id))
            continue;
        for (const std::string& type : mimeTypes) {
            const bool claims = std::find(app.mimeTypes.begin(), app.mimeTypes.end(), type) != app.mimeTypes.end() ||
                                listed(associations.added, type, app.id);
            if (claims && !listed(associations.removed, type, app.id)) {
                taken.insert(app.id);
                others.push_back(app);
                break;
            }
        }
    }
    std::sort(others.begin(), others.end(), [](const DesktopEntry& a, const DesktopEntry& b) { return a.name < b.name; });
    result.insert(result.end(), others.begin(), others.end());
    return result;
}
