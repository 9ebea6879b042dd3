// The installed applications as the desktop lists them: desktop entries
// (*.desktop files under the data folders' "applications") and the
// associations of mimeapps.list, so "open with another program" can offer
// the programs that open a file's type.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// One application entry.
struct DesktopEntry {
    std::string id;    // desktop file id: path below "applications", "/" as "-"
    std::string path;  // the .desktop file
    std::string name;  // Name, in the user's language where the entry has it
    std::string exec;
    std::string icon;
    std::string tryExec;
    std::vector<std::string> mimeTypes;
    bool terminal = false;
    bool noDisplay = false;
};

// Reads the "[Desktop Entry]" group of `text`. `languages` are the
// locale's names in the order to try (e.g. "ru_RU", "ru"). False when the
// entry is no application, is hidden, or has no name or Exec line.
bool ParseDesktopEntry(std::string_view text, const std::vector<std::string>& languages, DesktopEntry& out);

// The data folders in the order they override each other: $XDG_DATA_HOME
// (default ~/.local/share), then $XDG_DATA_DIRS (default /usr/local/share
// and /usr/share). Each ends in "/".
std::vector<std::string> DataDirs();
// The configuration folders likewise: $XDG_CONFIG_HOME (~/.config), then
// $XDG_CONFIG_DIRS (/etc/xdg).
std::vector<std::string> ConfigDirs();
// The locale's language names from LC_ALL, LC_MESSAGES or LANG.
std::vector<std::string> LocaleLanguages();

// Every application of the "applications" folders of `dataDirs`; an id
// found in an earlier folder hides the same id further on. Entries whose
// TryExec program is missing are left out.
std::vector<DesktopEntry> InstalledApplications(const std::vector<std::string>& dataDirs,
                                                const std::vector<std::string>& languages);

// The associations of the mimeapps.list files, earlier files first.
struct MimeAssociations {
    std::map<std::string, std::vector<std::string>> defaults;  // type -> ids
    std::map<std::string, std::vector<std::string>> added;
    std::map<std::string, std::vector<std::string>> removed;
};
void ReadMimeApps(std::string_view text, MimeAssociations& into);
// Reads mimeapps.list of every configuration folder and of every data
// folder's "applications", in precedence order.
MimeAssociations LoadMimeAssociations(const std::vector<std::string>& configDirs,
                                      const std::vector<std::string>& dataDirs);

// The applications that open a file of `mimeTypes` (its type first, then
// the types it is a kind of): the defaults first, then the other entries
// that name one of the types or are added for it, by name; entries removed
// for a type are left out for it. Each application once, NoDisplay ones
// included (they open files all the same).
std::vector<DesktopEntry> ApplicationsFor(const std::vector<DesktopEntry>& apps,
                                          const std::vector<std::string>& mimeTypes,
                                          const MimeAssociations& associations);
