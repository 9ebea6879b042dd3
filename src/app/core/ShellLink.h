// Reading the target of a Windows shortcut (.lnk, the Shell Link binary
// format) so that opening a shortcut can show the file it points to.
//
// Layout of a shortcut as far as the target is concerned (little-endian):
//
//   header (76 bytes): size 0x4C, class id, link flags, attributes, times …
//   [target ID list]          when flags & HasLinkTargetIDList: u16 size + items
//   [link info]               when flags & HasLinkInfo: u32 size, u32 header size,
//                             u32 flags, offsets of the volume, the local base
//                             path, the network link and the common path suffix
//                             (+ Unicode offsets when the header is >= 0x24)
//   [string data]             u16 count + characters (UTF-16 when IsUnicode):
//                             name, relative path, working dir, arguments, icon
//   [extra data blocks]       u32 size, u32 signature …; 0xA0000001 holds the
//                             target with environment variables
//
// Strings that are not UTF-16 are in the system ANSI code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a shortcut says about its target; every text is UTF-8.
struct ShellLinkData {
    uint32_t flags = 0;
    std::string localBasePath;     // "C:\Users\me\" (link info)
    std::string commonPathSuffix;  // "report.txt" (link info)
    std::string netName;           // "\\server\share" (link info, network target)
    std::string relativePath;      // "..\docs\report.txt", from the shortcut's folder
    std::string workingDir;
    std::string arguments;
    std::string envTarget;         // "%USERPROFILE%\report.txt" (extra data)
};

// Reads a shortcut from its bytes. False when they are not a shortcut (wrong
// header size or class id) or a part it announces is cut short; `out` then
// holds what was read before the fault.
bool ParseShellLink(std::string_view bytes, ShellLinkData& out);

// The target as the Windows shell reports it: the local base path followed
// by the common path suffix, else the network name and the suffix, else the
// environment-variable target. Empty when the shortcut names none.
std::string ShellLinkTargetPath(const ShellLinkData& link);

// A Windows path made local: "\" becomes "/"; a drive letter is looked up
// among the drive links of the Wine prefix ($WINEPREFIX or ~/.wine, folder
// dosdevices), "Z:" being the root folder when the prefix has none; a path
// without a drive is taken from `baseDir` (ending in "/") when relative.
// Each part is matched without regard to ASCII case when no part of exactly
// that name exists, as Windows names are case-blind. Empty when the path
// cannot be placed (an unknown drive, a network path).
std::string LocalPathOf(const std::string& windowsPath, const std::string& baseDir);

// The target of the shortcut file `lnkFile` (UTF-8) as a local file name:
// the first of the absolute target and the relative path that names an
// existing file, else the first one that could be placed at all. Empty when
// the file cannot be read, is not a shortcut or names no target.
std::string LnkTarget(const std::string& lnkFile);
