#include "app/core/AppSettings.h"

#include "viewer/core/VuExtLists.h"

namespace {

using S = AppSettings;

std::string ReplaceAll(const std::string& value, const std::string& from, const std::string& to)
{
    if (from.empty())
        return value;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = value.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(value, pos, hit - pos);
        out += to;
    }
    out.append(value, pos, std::string::npos);
    return out;
}

template <class... F>
struct Overload : F... {
    using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;

void ReadRow(const IniDocument& ini, const ConfKey& row, const std::string& appDir, AppSettings& s)
{
    std::visit(Overload{
                   [&](int32_t S::*f) { s.*f = ini.ReadInteger(row.section, row.key, s.*f); },
                   [&](bool S::*f) { s.*f = ini.ReadBool(row.section, row.key, s.*f); },
                   [&](std::string S::*f) {
                       // Only a value from the file carries the macro: the default is
                       // already a real path, which may itself hold the text "{app}".
                       if (std::optional<std::string> v = ini.Value(row.section, row.key))
                           s.*f = row.kind == ConfKind::Path ? ExpandAppMacro(*v, appDir) : *v;
                   },
               },
               row.field);
}

void WriteRow(IniDocument& ini, const ConfKey& row, const std::string& appDir, const AppSettings& s)
{
    std::visit(Overload{
                   [&](int32_t S::*f) { ini.WriteInteger(row.section, row.key, s.*f); },
                   [&](bool S::*f) { ini.WriteBool(row.section, row.key, s.*f); },
                   [&](std::string S::*f) {
                       ini.WriteString(row.section, row.key,
                                       row.kind == ConfKind::Path ? FoldAppMacro(s.*f, appDir) : s.*f);
                   },
               },
               row.field);
}

// The order FormClose writes in (differs from the read order; sections of a
// new file therefore appear in this order).
const ConfKey kConfWriteOrder[] = {
    {"window", "left", ConfKind::Int, &S::Left},
    {"window", "top", ConfKind::Int, &S::Top},
    {"window", "width", ConfKind::Int, &S::Width},
    {"window", "height", ConfKind::Int, &S::Height},
    {"window", "maximized", ConfKind::Bool, &S::Maximized},
    {"treeview", "height", ConfKind::Int, &S::TreeWidth},
    {"treeview", "visible", ConfKind::Bool, &S::TreeVisible},
    {"listview", "height", ConfKind::Int, &S::ListWidth},
    {"listview", "visible", ConfKind::Bool, &S::ListVisible},
    {"splitters", "visible", ConfKind::Bool, &S::Splitter1Visible},
    {"splitters", "visible", ConfKind::Bool, &S::Splitter2Visible},
    {"skin", "useskin", ConfKind::Bool, &S::UseSkin},
    {"skin", "name", ConfKind::String, &S::SkinName},
    {"skin", "DIR", ConfKind::Path, &S::SkinDir},
    {"language", "file", ConfKind::Path, &S::LanguageFile},
    {"window", "automenu", ConfKind::Bool, &S::AutoMenu},
    {"ext", "text", ConfKind::String, &S::ExtText},
    {"ext", "images", ConfKind::String, &S::ExtImages},
    {"ext", "media", ConfKind::String, &S::ExtMedia},
    {"ext", "web", ConfKind::String, &S::ExtWeb},
    {"ext", "rtf", ConfKind::String, &S::ExtRtf},
    {"media", "volume", ConfKind::Int, &S::MediaVolume},
    {"options", "WordWrap", ConfKind::Bool, &S::WordWrap},
    {"VisualSetup", "textfont", ConfKind::String, &S::TextFont},
    {"VisualSetup", "textfontsize", ConfKind::Int, &S::TextFontSize},
    {"VisualSetup", "textfontcolor", ConfKind::Colour, &S::TextFontColor},
    {"VisualSetup", "textfontB", ConfKind::Bool, &S::TextFontBold},
    {"VisualSetup", "textfontI", ConfKind::Bool, &S::TextFontItalic},
    {"VisualSetup", "textfontU", ConfKind::Bool, &S::TextFontUnderline},
    {"VisualSetup", "textcolor", ConfKind::Colour, &S::TextColor},
    {"VisualSetup", "textcolorhex", ConfKind::Colour, &S::TextColorHex},
    {"VisualSetup", "textcolorhex2", ConfKind::Colour, &S::TextColorHex2},
    {"VisualSetup", "textcolorhex3", ConfKind::Colour, &S::TextColorHexBack},
    {"VisualSetup", "textcolorgutter", ConfKind::Colour, &S::TextColorGutter},
    {"window", "mousefileexplorer", ConfKind::Bool, &S::MouseFileExplorer},
    {"VisualSetup", "ViewMode", ConfKind::Int, &S::ViewMode},
    {"VisualSetup", "ThumbW", ConfKind::Int, &S::ThumbW},
    {"VisualSetup", "ThumbH", ConfKind::Int, &S::ThumbH},
    {"options", "LNKOpen", ConfKind::Bool, &S::LNKOpen},
    {"options", "mediamode", ConfKind::Int, &S::MediaMode},
    {"media", "ivvolume", ConfKind::Int, &S::WaveOutVolume},
    {"media", "lmbpause", ConfKind::Bool, &S::LmbPause},
};

}  // namespace

const ConfKey kConfReadOrder[42] = {
    {"window", "left", ConfKind::Int, &S::Left},
    {"window", "top", ConfKind::Int, &S::Top},
    {"window", "width", ConfKind::Int, &S::Width},
    {"window", "height", ConfKind::Int, &S::Height},
    {"window", "maximized", ConfKind::Bool, &S::Maximized},
    {"splitters", "visible", ConfKind::Bool, &S::Splitter2Visible},
    {"listview", "height", ConfKind::Int, &S::ListWidth},
    {"listview", "visible", ConfKind::Bool, &S::ListVisible},
    {"splitters", "visible", ConfKind::Bool, &S::Splitter1Visible},
    {"treeview", "height", ConfKind::Int, &S::TreeWidth},
    {"treeview", "visible", ConfKind::Bool, &S::TreeVisible},
    {"ext", "text", ConfKind::String, &S::ExtText},
    {"ext", "images", ConfKind::String, &S::ExtImages},
    {"ext", "media", ConfKind::String, &S::ExtMedia},
    {"ext", "web", ConfKind::String, &S::ExtWeb},
    {"ext", "rtf", ConfKind::String, &S::ExtRtf},
    {"skin", "DIR", ConfKind::Path, &S::SkinDir},
    {"skin", "name", ConfKind::String, &S::SkinName},
    {"skin", "useskin", ConfKind::Bool, &S::UseSkin},
    {"window", "automenu", ConfKind::Bool, &S::AutoMenu},
    {"media", "volume", ConfKind::Int, &S::MediaVolume},
    {"options", "WordWrap", ConfKind::Bool, &S::WordWrap},
    {"language", "file", ConfKind::Path, &S::LanguageFile},
    {"VisualSetup", "textfont", ConfKind::String, &S::TextFont},
    {"VisualSetup", "textfontsize", ConfKind::Int, &S::TextFontSize},
    {"VisualSetup", "textfontcolor", ConfKind::Colour, &S::TextFontColor},
    {"VisualSetup", "textfontB", ConfKind::Bool, &S::TextFontBold},
    {"VisualSetup", "textfontI", ConfKind::Bool, &S::TextFontItalic},
    {"VisualSetup", "textfontU", ConfKind::Bool, &S::TextFontUnderline},
    {"VisualSetup", "textcolor", ConfKind::Colour, &S::TextColor},
    {"VisualSetup", "textcolorhex", ConfKind::Colour, &S::TextColorHex},
    {"VisualSetup", "textcolorhex2", ConfKind::Colour, &S::TextColorHex2},
    {"VisualSetup", "textcolorhex3", ConfKind::Colour, &S::TextColorHexBack},
    {"VisualSetup", "textcolorgutter", ConfKind::Colour, &S::TextColorGutter},
    {"window", "mousefileexplorer", ConfKind::Bool, &S::MouseFileExplorer},
    {"VisualSetup", "ViewMode", ConfKind::Int, &S::ViewMode},
    {"VisualSetup", "ThumbW", ConfKind::Int, &S::ThumbW},
    {"VisualSetup", "ThumbH", ConfKind::Int, &S::ThumbH},
    {"options", "LNKOpen", ConfKind::Bool, &S::LNKOpen},
    {"options", "mediamode", ConfKind::Int, &S::MediaMode},
    {"media", "ivvolume", ConfKind::Int, &S::WaveOutVolume},
    {"media", "lmbpause", ConfKind::Bool, &S::LmbPause},
};

AppSettings DefaultAppSettings(const std::string& appDir)
{
    AppSettings s;
    s.ExtText = kDefaultExtTextList;
    s.ExtImages = kDefaultExtImagesList;
    s.ExtMedia = kDefaultExtMediaList;
    s.ExtWeb = kDefaultExtWebList;
    s.ExtRtf = kDefaultExtRtfList;
    s.SkinDir = appDir + "skins";
    s.LanguageFile = appDir + "Languages/english.lng";
    return s;
}

void ReadAppSettings(const IniDocument& ini, const std::string& appDir, AppSettings& s)
{
    for (const ConfKey& row : kConfReadOrder)
        ReadRow(ini, row, appDir, s);
}

void WriteAppSettings(IniDocument& ini, const std::string& appDir, const AppSettings& s)
{
    for (const ConfKey& row : kConfWriteOrder)
        WriteRow(ini, row, appDir, s);
}

std::string ExpandAppMacro(const std::string& value, const std::string& appDir)
{
    return ReplaceAll(value, ProgramDirMacro, appDir);
}

std::string FoldAppMacro(const std::string& value, const std::string& appDir)
{
    return ReplaceAll(value, appDir, ProgramDirMacro);
}
