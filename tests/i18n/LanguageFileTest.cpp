#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "i18n/core/LanguageFile.h"

namespace {

const std::string kSig = std::string(kLanguageFileSignature) + "\r\n";

struct Loader {
    TResStringer strings;
    TLanguageTranslations tr{1251, strings};
    std::vector<std::u16string> reports;
    Loader()
    {
        tr.SetReport([this](const std::u16string& m) { reports.push_back(m); });
    }
    bool Load(const std::string& text) { return tr.LoadText(text, "test.lng"); }
    // Value of entry `path` in the first section `form`, or "<none>".
    std::u16string Value(std::u16string_view form, std::u16string_view path) const
    {
        if (const TResForm* f = tr.FindForm(form))
            for (std::size_t j = 0; j < f->Paths.size(); ++j)
                if (f->Paths[j] == path)
                    return f->Values[j];
        return u"<none>";
    }
};

}  // namespace

TEST(LanguageFile, MissingFileReportsAndLoadsNothing)
{
    Loader l;
    ASSERT_TRUE(l.Load(kSig + "[TForm1]\nbtn.Caption=x\n"));
    EXPECT_FALSE(l.tr.LoadFile("/nonexistent/dir/russian"));
    EXPECT_TRUE(l.tr.Forms().empty());
    ASSERT_EQ(l.reports.size(), 1u);
    EXPECT_EQ(l.reports[0],
              u"Error while loading language file \"/nonexistent/dir/russian.lng\"\r\nNo such file or directory");
}

TEST(LanguageFile, ReadsFileFromDiskAndKeepsGivenExtension)
{
    const std::string name = ::testing::TempDir() + "/i18n_read.LNG";
    std::ofstream(name, std::ios::binary) << kSig << "Humanize=1\n[TForm1]\nbtn.Caption=ok\n";
    Loader l;
    EXPECT_TRUE(l.tr.LoadFile(name));
    EXPECT_EQ(l.Value(u"TForm1", u"btn.Caption"), u"ok");
    std::remove(name.c_str());
}

TEST(LanguageFile, SignatureWithOrWithoutByteOrderMark)
{
    struct Case {
        std::string first;
        bool ok;
    } cases[] = {
        {std::string(kLanguageFileSignature), true},
        {"\xEF\xBB\xBF" + std::string(kLanguageFileSignature), true},
        {"; morvath's quillon localizer language file.", false},
        {std::string(kLanguageFileSignature) + " ", false},
        {"\xEF\xBB" + std::string(kLanguageFileSignature), false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        Loader l;
        EXPECT_EQ(l.Load(c.first + "\n[TForm1]\nHumanize=1\nCaption=T\n"), c.ok);
        EXPECT_EQ(l.tr.Forms().size(), c.ok ? 1u : 0u);
        if (!c.ok) {
            EXPECT_EQ(l.reports, std::vector<std::u16string>{u"Bad signature in language file \"test.lng\""});
        }
    }
    Loader empty;
    EXPECT_FALSE(empty.Load(""));
}

TEST(LanguageFile, CodepageHeader)
{
    // Without "Codepage" the bytes are read in the default code page (1251
    // here); the key may stand anywhere, in any letter case.
    Loader l;
    ASSERT_TRUE(l.Load(kSig + "Humanize=1\n[TForm1]\nCaption=\xCF\xF0\xE8\n"));
    EXPECT_EQ(l.Value(u"TForm1", u"Caption"), u"При");
    ASSERT_TRUE(l.Load(kSig + "Humanize=1\n[TForm1]\nCaption=\xC0\nCODEPAGE=1252\n"));
    EXPECT_EQ(l.Value(u"TForm1", u"Caption"), u"À");
    ASSERT_TRUE(l.Load("\xEF\xBB\xBF" + kSig + "Codepage=65001\nHumanize=1\n[TForm1]\nCaption=\xD0\x9F\n"));
    EXPECT_EQ(l.Value(u"TForm1", u"Caption"), u"П");
    EXPECT_TRUE(l.reports.empty());

    EXPECT_FALSE(l.Load(kSig + "Codepage=cyrillic\n[TForm1]\nCaption='x'\n"));
    EXPECT_TRUE(l.tr.Forms().empty());
    EXPECT_EQ(l.reports.back(), u"Bad codepage in language file \"test.lng\"");
    EXPECT_FALSE(l.Load(kSig + "Codepage=4242\n[TForm1]\nCaption='x'\n"));
    EXPECT_EQ(l.reports.back(), u"Error while loading language file \"test.lng\"\r\nCode page 4242 is not supported");
}

TEST(LanguageFile, HumanizedValues)
{
    Loader l;
    ASSERT_TRUE(l.Load(kSig + "Humanize=1\n[TForm1]\nlbl.Caption=a\\b\n[RESOURCESTRINGS]\n7_X=c\\d\n"));
    EXPECT_EQ(l.Value(u"TForm1", u"lbl.Caption"), u"a\rb");
    EXPECT_EQ(l.strings.FindResString(7), u"c\r\nd");
    ASSERT_TRUE(l.Load(kSig + "Humanize=1\nHumanizeDivider=<br>\n[TForm1]\nlbl.Caption=a<br>b\\c\n"));
    EXPECT_EQ(l.Value(u"TForm1", u"lbl.Caption"), u"a\rb\\c");
    // Any value but "1" selects literal values.
    ASSERT_TRUE(l.Load(kSig + "Humanize=yes\n[TForm1]\nlbl.Caption='a'#13'b'\n"));
    EXPECT_EQ(l.Value(u"TForm1", u"lbl.Caption"), u"a\rb");
}

TEST(LanguageFile, EntriesAndMarkedLines)
{
    Loader l;
    ASSERT_TRUE(l.Load(kSig +
                       "orphan.Caption='before any section'\n"
                       "[TForm1]\n"
                       "; comment\n"
                       "\n"
                       "btn.Caption{remark}='Open'\n"
                       "(x)old.Caption='gone'\n"
                       "(!)new.Caption='todo'\n"
                       "(?)other.Caption='quiet'\n"
                       "novalue\n"
                       "a=b='c=d'\n"));
    ASSERT_EQ(l.tr.Forms().size(), 1u);
    const TResForm& f = l.tr.Forms()[0];
    EXPECT_EQ(f.Paths, (std::vector<std::u16string>{u"btn.Caption", u"novalue", u"a"}));
    EXPECT_EQ(f.Values[0], u"Open");
    EXPECT_EQ(f.Values[1], u"");
    EXPECT_EQ(f.Values[2], u"\r\rc=d");  // b and = are stray characters
    EXPECT_EQ(l.reports, (std::vector<std::u16string>{
                             u"Obsolete line in language file:\r\n\"(x)old.Caption='gone'\"\r\nYou have to remove it!",
                             u"Untranslated line in language file:\r\n\"(!)new.Caption='todo'\"\r\nYou have to translate it!"}));
}

TEST(LanguageFile, ProblemsThatStopLoadingKeepWhatWasRead)
{
    struct Case {
        const char* name;
        std::string tail;
        std::u16string report;
    } cases[] = {
        {"DeletedForm", "[(x)TOld]\n", u"Deleted component in language file:\r\n\"[(x)TOld]\"\r\nYou have to remove it!"},
        {"EmptyPath", "{x}='y'\n", u"Bad line in language file: \"{x}='y'\""},
        {"BadLiteral", "lbl.Caption='open\n",
         u"Error while loading language file \"test.lng\"\r\nBad decoded string: \"'open\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Loader l;
        EXPECT_FALSE(l.Load(kSig + "[TForm1]\nCaption='One'\n[TForm2]\n" + c.tail + "[TForm3]\nCaption='Three'\n"));
        EXPECT_EQ(l.Value(u"TForm1", u"Caption"), u"One");
        EXPECT_EQ(l.tr.FindForm(u"TForm3"), nullptr);
        EXPECT_EQ(l.reports, std::vector<std::u16string>{c.report});
    }
}

TEST(LanguageFile, SectionNamedTwiceFindsTheFirst)
{
    Loader l;
    ASSERT_TRUE(l.Load(kSig + "[TForm1]\nCaption='first'\n[tform1]\nCaption='other case'\n[TForm1]\nCaption='second'\n"));
    EXPECT_EQ(l.tr.Forms().size(), 3u);
    EXPECT_EQ(l.Value(u"TForm1", u"Caption"), u"first");
    EXPECT_EQ(l.Value(u"tform1", u"Caption"), u"other case");
}

TEST(LanguageFile, LineEndings)
{
    Loader l;
    ASSERT_TRUE(l.Load(std::string(kLanguageFileSignature) + "\r[TForm1]\r\nA='1'\nB='2'\rC='3'"));
    EXPECT_EQ(l.tr.Forms()[0].Paths, (std::vector<std::u16string>{u"A", u"B", u"C"}));
}

TEST(LanguageFile, ResourceStrings)
{
    Loader l;
    ASSERT_TRUE(l.Load(kSig +
                       "[RESOURCESTRINGS]\n"
                       "(x)1_Old='x'\n"
                       "10_First='ten'\n"
                       "10_Again='ten again'\n"
                       "abc_Bad='never'\n"
                       "20_Twenty=='starts with ='\n"
                       "[TForm1]\n"
                       "Caption='after'\n"));
    EXPECT_EQ(l.strings.FindResString(10), u"ten");
    EXPECT_EQ(l.strings.FindResString(20), u"\rstarts with =");
    EXPECT_EQ(l.strings.Entries().size(), 3u);
    EXPECT_EQ(l.Value(u"TForm1", u"Caption"), u"after");
    EXPECT_EQ(l.reports, (std::vector<std::u16string>{
                             u"Obsolete line in language file:\r\n\"(x)1_Old='x'\"\r\nYou have to delete it!",
                             u"Bad resource ID in language file: \"abc\""}));
}

TEST(LanguageFile, ResourceStringsOutOfOrderMayBeMissed)
{
    Loader l;
    ASSERT_TRUE(l.Load(kSig + "[resourcestrings]\n5_A='five'\n3_B='three'\n9_C='nine'\n"));
    EXPECT_EQ(l.strings.FindResString(9), u"nine");
    EXPECT_EQ(l.strings.FindResString(3), std::nullopt);
    EXPECT_EQ(l.strings.FindResString(5), std::nullopt);
}

TEST(LanguageFile, SecondFileWithoutResourceStringsKeepsTheFirsts)
{
    Loader l;
    ASSERT_TRUE(l.Load(kSig + "[RESOURCESTRINGS]\n1_A='one'\n"));
    ASSERT_TRUE(l.Load(kSig + "[TForm1]\nCaption='x'\n"));
    EXPECT_FALSE(l.tr.HadResStrings());
    EXPECT_EQ(l.strings.FindResString(1), u"one");
    // An empty section empties them; a later file with entries brings
    // translation back.
    ASSERT_TRUE(l.Load(kSig + "[RESOURCESTRINGS]\n; nothing\n"));
    EXPECT_FALSE(l.strings.Active());
    ASSERT_TRUE(l.Load(kSig + "[RESOURCESTRINGS]\n2_B='two'\n"));
    EXPECT_TRUE(l.strings.Active());
    EXPECT_EQ(l.strings.FindResString(2), u"two");
}

TEST(LanguageFile, BadValueInResourceStringsKeepsEntriesBeforeIt)
{
    Loader l;
    EXPECT_FALSE(l.Load(kSig + "[RESOURCESTRINGS]\n1_A='one'\n2_B='two\n3_C='three'\n"));
    EXPECT_EQ(l.strings.Entries().size(), 1u);
    EXPECT_EQ(l.strings.FindResString(1), u"one");
}

TEST(LanguageFile, ThrowingReportAbortsLoading)
{
    Loader l;
    l.tr.SetReport([](const std::u16string&) { throw std::runtime_error("raised"); });
    EXPECT_THROW(l.Load(kSig + "[TForm1]\nA='1'\n(!)B='2'\nC='3'\n"), std::runtime_error);
    EXPECT_EQ(l.tr.Forms()[0].Paths, std::vector<std::u16string>{u"A"});
}
