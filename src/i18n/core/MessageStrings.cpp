#include "i18n/core/MessageStrings.h"

#include <map>

#include "i18n/core/FuncReplacement.h"
#include "text/core/VuViewerMsg.h"

namespace {

struct TBuiltIn {
    std::u16string Text;
    std::u16string* Variable = nullptr;
};

using TBuiltInTable = std::map<int32_t, TBuiltIn>;

TBuiltInTable MakeBuiltInTable()
{
    // The built-in texts are the variables' initial values, so this table
    // cannot drift from the header that declares them.
    static const TVuViewerMessages defaults;
    TVuViewerMessages& m = ViewerMessages;
    TBuiltInTable t;
    auto add = [&](int32_t id, const std::u16string& text, std::u16string* var) { t[id] = {text, var}; };
    add(rsViewerCaption, defaults.Caption, &m.Caption);
    add(rsFileNotFound, defaults.FileNotFound, &m.FileNotFound);
    add(rsCannotOpenFile, defaults.CannotOpenFile, &m.CannotOpenFile);
    add(rsCannotLoadFile, defaults.CannotLoadFile, &m.CannotLoadFile);
    add(rsCannotReadFile, defaults.CannotReadFile, &m.CannotReadFile);
    add(rsCannotReadStream, defaults.CannotReadStream, &m.CannotReadStream);
    add(rsReadErrorAtOffset, defaults.ReadErrorAtOffset, &m.ReadErrorAtOffset);
    add(rsUnknownImageFormat, defaults.UnknownImageFormat, &m.UnknownImageFormat);
    add(rsUnknownMediaFormat, defaults.UnknownMediaFormat, &m.UnknownMediaFormat);
    add(rsCannotInitialize, defaults.CannotInitialize, &m.CannotInitialize);
    add(rsCannotCopyToClipboard, defaults.CannotCopyToClipboard, &m.CannotCopyToClipboard);
    add(rsPluginException, defaults.PluginException, &m.PluginException);
    add(rsPluginsNoParent, defaults.PluginsNoParent, &m.PluginsNoParent);
    add(rsErrorCaption, u"Error", nullptr);
    add(rsCantOpenFile, u"Can't open file!", nullptr);
    add(rsTextNotFound, u"Search string not found", nullptr);
    add(rsCannotCopyFile, u"Cannot copy the file to %s: %s", nullptr);
    add(rsCannotStartProgram, u"Cannot start %s", nullptr);
    return t;
}

TBuiltInTable& BuiltIns()
{
    static TBuiltInTable table = MakeBuiltInTable();
    return table;
}

std::u16string ReadBuiltIn(int32_t id)
{
    const auto& t = BuiltIns();
    const auto it = t.find(id);
    return it != t.end() ? it->second.Text : std::u16string();
}

using TLookup = TFuncReplacement<std::u16string(int32_t)>;

// The redirect is on from the first lookup: a language loaded at any time
// takes effect without anyone switching it on.
TLookup& Lookup()
{
    static TLookup lookup = [] {
        TLookup l(ReadBuiltIn, [](int32_t id) {
            if (auto text = ResStringer().FindResString(id))
                return *text;
            return Lookup().Original(id);
        });
        l.SetEnabled(true);
        return l;
    }();
    return lookup;
}

}  // namespace

TResStringer& ResStringer()
{
    static TResStringer stringer;
    return stringer;
}

std::u16string LoadResString(int32_t id)
{
    // Language files break message lines with CR LF; what shows them breaks
    // lines at LF.
    std::u16string text = Lookup()(id);
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            out.push_back(u'\n');
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::u16string BuiltInResString(int32_t id) { return ReadBuiltIn(id); }

bool ResStringRedirectEnabled() { return Lookup().Enabled(); }

void SetResStringRedirect(bool on) { Lookup().SetEnabled(on); }

void RegisterResString(int32_t id, std::u16string builtIn, std::u16string* variable)
{
    BuiltIns()[id] = {std::move(builtIn), variable};
}

void RefreshResStrings()
{
    for (auto& [id, entry] : BuiltIns())
        if (entry.Variable)
            *entry.Variable = LoadResString(id);
}
