#include "app/core/PluginList.h"

#include <dirent.h>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool HasWlxExtension(const std::string& name)
{
    return name.size() > 4 && Upper(name.substr(name.size() - 4)) == ".WLX";
}

}  // namespace

std::vector<std::string> ReadDisabledList(const std::string& path)
{
    std::vector<std::string> names;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        names.push_back(line);
    }
    return names;
}

std::vector<std::string> EnumeratePlugins(const std::string& folder)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return names;
    while (dirent* entry = ::readdir(dir.get())) {
        std::string name = entry->d_name;
        if (!HasWlxExtension(name))
            continue;
        struct stat st{};
        std::string full = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
        if (::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(name);
    }
    return names;
}

bool IsPluginDisabled(const std::string& name, const std::vector<std::string>& disabled)
{
    const std::string upper = Upper(name);
    for (const std::string& d : disabled)
        if (Upper(d) == upper)
            return true;
    return false;
}

std::vector<PluginItem> ListPlugins(const std::string& pluginsDir)
{
    const std::vector<std::string> disabled = ReadDisabledList(pluginsDir + "disabled.ini");
    std::vector<PluginItem> items;
    for (std::string& name : EnumeratePlugins(pluginsDir)) {
        bool enabled = !IsPluginDisabled(name, disabled);
        items.push_back({std::move(name), enabled});
    }
    return items;
}
