// The Lister plugins beside the program: which *.wlx files the plugins
// folder holds, which of them plugins/disabled.ini switches off, and what
// the viewer is given of the enabled ones.
#pragma once

#include <functional>
#include <string>
#include <vector>

// One found plugin file, as the plugin manager's check list shows it.
struct PluginItem {
    std::string name;  // file name only, as the folder spells it
    bool enabled = true;
};

// Reads the disabled list: one file name per line, LF or CR LF. A missing
// or unreadable file gives an empty list (no plugin disabled).
std::vector<std::string> ReadDisabledList(const std::string& path);

// The names of the plugin files in `folder`, in the order the file system
// returns them: entries whose name ends in ".wlx" (any letter case) and
// that are regular files (after following links; hidden and read-only ones
// included, folders excluded). A missing folder gives an empty list.
std::vector<std::string> EnumeratePlugins(const std::string& folder);

// True when `name` equals an entry of `disabled` after upper-casing both
// (ASCII letters; other bytes compare exactly).
bool IsPluginDisabled(const std::string& name, const std::vector<std::string>& disabled);

// The check list for the plugins folder `pluginsDir` (ending with "/"):
// every found plugin, enabled unless disabled.ini names it.
std::vector<PluginItem> ListPlugins(const std::string& pluginsDir);

// Reads a plugin library's detect string from its full path. The plugin
// host supplies the reader; a library that cannot be loaded gives "".
using DetectStringReader = std::function<std::string(const std::string& pluginPath)>;
