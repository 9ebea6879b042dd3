// Every setting kept in conf.ini, the order the main window reads them in,
// the order it writes them back in, and the program-folder macro of path
// values. Plain data: the main window copies these values to and from its
// widgets; nothing here knows a widget.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "app/core/IniDocument.h"

// The macro that stands for the program folder in path values.
inline constexpr const char* ProgramDirMacro = "{app}";

struct AppSettings {
    // [window] left, top, width, height: SavedBounds; maximized.
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 800;
    int32_t Height = 600;
    bool Maximized = false;
    // The one [splitters] visible key serves both splitters.
    bool Splitter2Visible = true;  // between tree and list
    int32_t ListWidth = 200;       // [listview] height holds the list's WIDTH
    bool ListVisible = true;
    bool Splitter1Visible = true;  // between list and viewer
    int32_t TreeWidth = 200;       // [treeview] height holds the tree's WIDTH
    bool TreeVisible = true;
    // [ext] the viewer's five extension lists.
    std::string ExtText;
    std::string ExtImages;
    std::string ExtMedia;
    std::string ExtWeb;
    std::string ExtRtf;
    // [skin]
    std::string SkinDir;  // expanded; default AppDir + "skins"
    std::string SkinName = "Office12Style";
    bool UseSkin = true;
    bool AutoMenu = false;     // [window] automenu
    int32_t MediaVolume = 1;   // [media] volume: the viewer's level 0..10
    bool WordWrap = true;      // [options] WordWrap: the viewer's TextWrap
    std::string LanguageFile;  // expanded; default AppDir + "Languages/english.lng"
    // [VisualSetup] the viewer's text font and colours (TColor values).
    std::string TextFont = "Arial";
    int32_t TextFontSize = 10;  // points
    int32_t TextFontColor = 0;
    bool TextFontBold = false;
    bool TextFontItalic = false;
    bool TextFontUnderline = false;
    int32_t TextColor = static_cast<int32_t>(0xFF000005u);
    int32_t TextColorHex = 0x800000;
    int32_t TextColorHex2 = 0xFF0000;
    int32_t TextColorHexBack = 0xECECEC;  // key "textcolorhex3"
    int32_t TextColorGutter = 0xC0C0C0;
    bool MouseFileExplorer = true;  // [window] mousefileexplorer
    int32_t ViewMode = 0;           // list style 0..3, 4 thumbnails, else as designed
    int32_t ThumbW = 100;
    int32_t ThumbH = 100;
    bool LNKOpen = true;       // [options] LNKOpen
    int32_t MediaMode = 0;     // [options] mediamode: 0, 1 in the viewer, 2 external library
    int32_t WaveOutVolume = 0; // [media] ivvolume, 0..65535
    bool LmbPause = true;      // [media] lmbpause
};

// The settings a first start has with the program in `appDir` (which ends
// with "/"): the built-in values, the built-in extension lists, and the
// skin folder and language file beside the executable.
AppSettings DefaultAppSettings(const std::string& appDir);

enum class ConfKind : uint8_t { Int, Bool, String, Path, Colour };

// One row of the conf.ini table.
struct ConfKey {
    const char* section;
    const char* key;
    ConfKind kind;
    std::variant<int32_t AppSettings::*, bool AppSettings::*, std::string AppSettings::*> field;
};

// The 42 rows in the order the window reads them at start. Rows 6 and 9
// are the same key, read into both splitters.
extern const ConfKey kConfReadOrder[42];

// Reads every row into `s`, in table order, each with the value already in
// `s` as its default (so the caller decides what "current value" means).
// Path rows are expanded with ExpandAppMacro.
void ReadAppSettings(const IniDocument& ini, const std::string& appDir, AppSettings& s);

// Writes every setting in the order the window closes with, paths folded
// with FoldAppMacro. The splitter key is written for sSplitter1 first and
// sSplitter2 last, so the file holds sSplitter2's state.
void WriteAppSettings(IniDocument& ini, const std::string& appDir, const AppSettings& s);

// Replaces every "{app}" in `value` by `appDir`.
//
// One left-to-right pass: for every program folder that does not itself
// contain "{app}" this gives what repeating the replacement until none is
// left gives, and for one that does it still ends (repeating would not).
std::string ExpandAppMacro(const std::string& value, const std::string& appDir);

// Replaces every occurrence of `appDir` (exact, case-sensitive, with its
// trailing "/") in `value` by "{app}"; a path outside the folder stays as
// it is. One left-to-right pass, equal to repeating it for any folder that
// ends with "/".
std::string FoldAppMacro(const std::string& value, const std::string& appDir);
