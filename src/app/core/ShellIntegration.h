// The "View with Peekwell" entry in the file managers' context menus for
// every file. It is an own layer of files under the user's data folder
// ($XDG_DATA_HOME, by default ~/.local/share): a desktop application entry
// and one action for each file manager that offers one, plus a manifest
// that records what was written, so that switching the integration off
// deletes exactly those files and nothing else.
//
//   <data home>/
//     applications/peekwell.desktop          application entry ("Open With")
//     kio/servicemenus/peekwell.desktop      Dolphin service menu, all/allfiles
//     nemo/actions/peekwell.nemo_action      Nemo action
//     nautilus/scripts/View with Peekwell    Nautilus script
//     peekwell/shell-integration.manifest    the paths above, one a line,
//                                            relative to <data home>
//
// The integration "exists" when an entry the manifest lists exists. Every
// entry carries the full path of the executable it was written for; writing
// again (for a program that has moved) replaces them all.
#pragma once

#include <string>
#include <vector>

// One file of the integration.
struct TShellEntry {
    std::string Path;     // relative to the data home, "/"-separated
    std::string Content;  // the whole file
    bool Executable;      // file managers run or trust it only with the x bits
};

// The folder the entries go under: $XDG_DATA_HOME when it is set to an
// absolute path, else $HOME/.local/share (the home folder from the user
// database when $HOME is unset). Never ends with "/".
std::string ShellDataHome();

// The manifest's path relative to the data home.
inline constexpr const char* kShellManifest = "peekwell/shell-integration.manifest";

// The files that make up the integration for the program at `executable`
// (an absolute path, UTF-8). Returns false with `error` set, and no
// entries, when the path is not absolute or holds a control character (a
// line break could not be written into an entry).
bool ShellIntegrationEntries(const std::string& executable, std::vector<TShellEntry>& entries, std::string& error);

// True when at least one of the entries the manifest lists exists. No
// manifest, or a manifest whose entries are all gone, means no integration.
bool ShellIntegrationExists(const std::string& dataHome);

// Writes every entry for `executable` at once, creating the folders (0700,
// as the data folder's rules ask) where needed, and records them in the
// manifest before they are written, so an entry that was written is always
// one the removal knows. Entries an earlier manifest listed that are no
// longer part of the integration are removed. Returns false with `error`
// (the file and the system's reason) at the first failure; the entries
// written before it stay and stay listed.
bool WriteShellIntegration(const std::string& dataHome, const std::string& executable, std::string& error);

// Deletes exactly the files the manifest lists (a file another program put
// beside them is never touched), then the manifest and the manifest's own
// folder when it is empty. Having nothing to remove is success. Returns
// false with `error` when a listed file cannot be deleted; the manifest
// then keeps listing what is left.
bool RemoveShellIntegration(const std::string& dataHome, std::string& error);

// The manifest's entries: its lines that are plain relative paths (no
// leading "/", no "." or ".." component, no empty one). Comment lines
// ("#") and anything else are skipped, so a damaged manifest can never
// make the removal reach outside the data home.
std::vector<std::string> ReadShellManifest(const std::string& dataHome);

// `argument` quoted for the Exec key of a desktop entry and escaped as a
// string value of the file: in double quotes, with '"', '`', '$' and '\'
// backslash-escaped inside them, '%' doubled (when `doublePercent`; Nemo
// knows no "%%"), then every '\' doubled once more for the key file.
std::string DesktopExecArgument(const std::string& argument, bool doublePercent = true);

// `argument` in single quotes for the POSIX shell ("'" becomes "'\''").
std::string ShellQuote(const std::string& argument);
