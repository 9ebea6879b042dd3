#include <gtest/gtest.h>

#include "i18n/core/LanguageFile.h"
#include "i18n/core/MessageStrings.h"
#include "text/core/VuViewerMsg.h"

namespace {

// Loads message strings into the process-wide stringer and puts the
// built-in texts back afterwards.
class MessageStrings : public ::testing::Test {
protected:
    TLanguageTranslations tr{1252, ResStringer()};
    void Load(const std::string& body)
    {
        ASSERT_TRUE(tr.LoadText(std::string(kLanguageFileSignature) + "\nCodepage=65001\nHumanize=1\n" + body, "m.lng"));
        RefreshResStrings();
    }
    void TearDown() override
    {
        ResStringer().Assign({});
        SetResStringRedirect(true);
        RefreshResStrings();
    }
};

}  // namespace

TEST_F(MessageStrings, BuiltInTextsWithoutLanguage)
{
    EXPECT_EQ(LoadResString(rsFileNotFound), u"File not found: %s");
    EXPECT_EQ(LoadResString(rsViewerCaption), u"Viewer");
    EXPECT_EQ(LoadResString(rsCantOpenFile), u"Can't open file!");
    EXPECT_EQ(LoadResString(424242), u"");
    EXPECT_TRUE(ResStringRedirectEnabled());
}

TEST_F(MessageStrings, LanguageFileReplacesViewerMessages)
{
    Load("[RESOURCESTRINGS]\n1000_Caption=Просмотр\n1001_FileNotFound=Файл не найден: %s\n");
    EXPECT_EQ(LoadResString(rsFileNotFound), u"Файл не найден: %s");
    EXPECT_EQ(ViewerMessages.FileNotFound, u"Файл не найден: %s");
    EXPECT_EQ(ViewerMessages.Caption, u"Просмотр");
    // Not in the file: the built-in text.
    EXPECT_EQ(ViewerMessages.CannotOpenFile, u"Cannot open file: %s");

    SetResStringRedirect(false);
    RefreshResStrings();
    EXPECT_EQ(ViewerMessages.FileNotFound, u"File not found: %s");
    SetResStringRedirect(true);
    RefreshResStrings();
    EXPECT_EQ(ViewerMessages.FileNotFound, u"Файл не найден: %s");

    // Message lines break at CR LF in the file and at LF for the program.
    Load("[RESOURCESTRINGS]\n1002_CannotOpen=Не открыть:\\%s\n");
    EXPECT_EQ(ResStringer().FindResString(rsCannotOpenFile), u"Не открыть:\r\n%s");
    EXPECT_EQ(ViewerMessages.CannotOpenFile, u"Не открыть:\n%s");
}

TEST_F(MessageStrings, UnfindableEntryShowsBuiltInText)
{
    // Out of ascending order: the binary search misses 1001.
    Load("[RESOURCESTRINGS]\n1002_A=a\n1001_B=b\n1003_C=c\n");
    EXPECT_EQ(LoadResString(rsFileNotFound), u"File not found: %s");
    EXPECT_EQ(LoadResString(rsCannotLoadFile), u"c");
}

TEST_F(MessageStrings, OtherSubsystemsRegisterTheirOwn)
{
    static std::u16string watcherText = u"Exception while creating thread";
    RegisterResString(3000, watcherText, &watcherText);
    Load("[RESOURCESTRINGS]\n3000_Thread=Ошибка потока\n");
    EXPECT_EQ(watcherText, u"Ошибка потока");
    EXPECT_EQ(BuiltInResString(3000), u"Exception while creating thread");
}
