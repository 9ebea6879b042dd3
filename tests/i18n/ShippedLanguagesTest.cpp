// The language files shipped in data/Languages: each loads without a single
// report, English leaves no Cyrillic behind, both translate the same
// entries, and their message strings cover every built-in identifier in
// ascending order (so each one is found).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "i18n/core/LanguageFile.h"
#include "i18n/core/MessageStrings.h"
#include "i18n/core/StringUtils.h"

namespace {

const std::string kLanguages = PEEKWELL_LANGUAGES;

bool HasCyrillic(const std::u16string& s)
{
    return std::any_of(s.begin(), s.end(), [](char16_t c) { return c >= 0x0400 && c <= 0x04FF; });
}

struct Loaded {
    TResStringer strings;
    TLanguageTranslations tr{1252, strings};
    std::vector<std::u16string> reports;
    bool whole = false;
    explicit Loaded(const std::string& name)
    {
        tr.SetReport([this](const std::u16string& m) { reports.push_back(m); });
        whole = tr.LoadFile(kLanguages + name);
    }
    std::set<std::u16string> Keys() const
    {
        std::set<std::u16string> keys;
        for (const auto& f : tr.Forms())
            for (const auto& p : f.Paths)
                keys.insert(f.Name + u"." + p);
        return keys;
    }
};

}  // namespace

TEST(ShippedLanguages, LoadCleanlyAndAgree)
{
    Loaded en("english.lng");
    Loaded ru("russian");
    for (const Loaded* l : {&en, &ru}) {
        EXPECT_TRUE(l->whole);
        EXPECT_TRUE(l->reports.empty()) << (l->reports.empty() ? std::string() : WideToUtf8(l->reports[0]));
        EXPECT_TRUE(l->tr.HadResStrings());
        EXPECT_NE(l->tr.FindForm(u"TForm1"), nullptr);
    }
    EXPECT_EQ(en.Keys(), ru.Keys());
    for (const auto& f : en.tr.Forms())
        for (std::size_t j = 0; j < f.Values.size(); ++j)
            EXPECT_FALSE(HasCyrillic(f.Values[j])) << std::string(f.Paths[j].begin(), f.Paths[j].end());
    EXPECT_EQ(ru.strings.FindResString(rsFileNotFound), u"Файл не найден: %s");
}

TEST(ShippedLanguages, MessageStringsCoverEveryBuiltInText)
{
    Loaded en("english.lng");
    Loaded ru("russian.lng");
    const auto& entries = ru.strings.Entries();
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(),
                               [](const auto& a, const auto& b) { return a.Id < b.Id; }));
    for (int32_t id = rsViewerCaption; id <= rsPluginsNoParent; ++id)
        EXPECT_TRUE(ru.strings.FindResString(id) && en.strings.FindResString(id)) << id;
    for (int32_t id = rsErrorCaption; id <= rsTextNotFound; ++id)
        EXPECT_TRUE(ru.strings.FindResString(id) && en.strings.FindResString(id)) << id;
    // English restores the built-in texts after Russian.
    for (const auto& e : en.strings.Entries())
        EXPECT_EQ(e.Text, BuiltInResString(e.Id)) << e.Id;
}
