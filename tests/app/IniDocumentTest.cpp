// Reading and writing INI text: syntax, types, keeping what is not ours,
// damage, and the atomic replacement of the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "TempDir.h"
#include "app/core/AtomicFile.h"
#include "app/core/IniDocument.h"

namespace {

TEST(IniDocumentTest, NamesAreCaseInsensitiveValuesTrimmed)
{
    IniDocument ini = IniDocument::Parse("[Window]\r\n  LEFT = 12 \r\nname=\"quoted value\"\r\n");
    EXPECT_EQ(ini.ReadInteger("window", "left", -1), 12);
    EXPECT_EQ(ini.ReadString("WINDOW", "Name", ""), "quoted value");
    EXPECT_EQ(ini.ReadString("window", "missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("nosection", "left", "def"), "def");
}

TEST(IniDocumentTest, FirstOfDuplicatesWins)
{
    IniDocument ini = IniDocument::Parse("[a]\nk=1\nk=2\n[A]\nk=3\nj=4\n");
    EXPECT_EQ(ini.ReadInteger("a", "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("a", "j", 0), 0);  // only the first [a] is read
    ini.WriteInteger("a", "k", 9);
    EXPECT_EQ(ini.Text(), "[a]\nk=9\nk=2\n[A]\nk=3\nj=4\n");
}

TEST(IniDocumentTest, IntegersAndBooleans)
{
    IniDocument ini = IniDocument::Parse(
        "[v]\ndec=-42\nhex=$FF000005\nhex2=0x1F\nbad=12abc\nhuge=99999999999\nempty=\n"
        "t1=1\nt7=7\nneg=-1\nf0=0\nword=yes\n");
    EXPECT_EQ(ini.ReadInteger("v", "dec", 0), -42);
    EXPECT_EQ(ini.ReadInteger("v", "hex", 0), static_cast<int32_t>(0xFF000005u));
    EXPECT_EQ(ini.ReadInteger("v", "hex2", 0), 31);
    EXPECT_EQ(ini.ReadInteger("v", "bad", 5), 5);
    EXPECT_EQ(ini.ReadInteger("v", "huge", 5), 5);
    EXPECT_EQ(ini.ReadInteger("v", "empty", 5), 5);
    EXPECT_TRUE(ini.ReadBool("v", "t1", false));
    EXPECT_TRUE(ini.ReadBool("v", "t7", false));  // any non-zero integer is true
    EXPECT_TRUE(ini.ReadBool("v", "neg", false));
    EXPECT_FALSE(ini.ReadBool("v", "f0", true));
    EXPECT_TRUE(ini.ReadBool("v", "word", true));  // not an integer: the default
    EXPECT_FALSE(ini.ReadBool("v", "word", false));

    IniDocument out;
    out.WriteBool("v", "on", true);
    out.WriteBool("v", "off", false);
    out.WriteInteger("v", "colour", static_cast<int32_t>(0xFF000005u));
    EXPECT_EQ(out.Text(), "[v]\non=1\noff=0\ncolour=-16777211\n");
}

TEST(IniDocumentTest, WritingKeepsWhatItDoesNotOwn)
{
    const std::string original =
        "; my notes about this file\r\n"
        "[window]\r\n"
        "left=5\r\n"
        "; keep this comment\r\n"
        "theme = dark\r\n"
        "\r\n"
        "[mine]\r\n"
        "anything=goes\r\n";
    IniDocument ini = IniDocument::Parse(original);
    ini.WriteInteger("window", "left", 7);
    ini.WriteInteger("window", "top", 8);   // new key: after the section's last key
    ini.WriteString("ext", "text", "c,h");  // new section: at the end
    EXPECT_EQ(ini.Text(),
              "; my notes about this file\r\n"
              "[window]\r\n"
              "left=7\r\n"
              "; keep this comment\r\n"
              "theme = dark\r\n"
              "top=8\r\n"
              "\r\n"
              "[mine]\r\n"
              "anything=goes\r\n"
              "\r\n"
              "[ext]\r\n"
              "text=c,h\r\n");
}

TEST(IniDocumentTest, ValuesCannotBreakLines)
{
    IniDocument ini;
    ini.WriteString("a", "k", "one\r\ntwo");
    EXPECT_EQ(ini.Text(), "[a]\nk=one  two\n");
}

TEST(IniDocumentTest, DamagedLinesReadAsMissingAndAreDropped)
{
    std::string text = "[window]\nleft=3\n";
    text += "top=" + std::string(IniDocument::kMaxLineLength + 10, '9') + "\n";
    text += std::string("width=\0\x01\x02garbage", 16) + "\n";
    text += "height=\x81\x82\x83\n";
    text += "[other]\nkeep=me\n";
    IniDocument ini = IniDocument::Parse(text);
    EXPECT_EQ(ini.ReadInteger("window", "left", 0), 3);
    EXPECT_EQ(ini.ReadInteger("window", "top", 77), 77);
    EXPECT_EQ(ini.ReadInteger("window", "width", 800), 800);
    EXPECT_EQ(ini.ReadInteger("window", "height", 600), 600);
    EXPECT_EQ(ini.ReadString("other", "keep", ""), "me");

    ini.WriteInteger("window", "top", 1);
    const std::string out = ini.Text();
    EXPECT_LT(out.size(), 200u);
    EXPECT_EQ(out.find('\0'), std::string::npos);
    EXPECT_NE(out.find("keep=me"), std::string::npos);
    EXPECT_EQ(IniDocument::Parse(out).ReadInteger("window", "top", 0), 1);
}

TEST(IniDocumentTest, BinaryGarbageFileGivesDefaults)
{
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    TempDir dir;
    bool readable = false;
    IniDocument ini = IniDocument::Load(dir.Write("conf.ini", garbage), &readable);
    EXPECT_TRUE(readable);
    EXPECT_EQ(ini.ReadInteger("window", "width", 800), 800);
}

TEST(IniDocumentTest, MissingFileIsAFirstStart)
{
    TempDir dir;
    bool readable = false;
    IniDocument ini = IniDocument::Load(dir.path() + "conf.ini", &readable);
    EXPECT_TRUE(readable);
    EXPECT_EQ(ini.Text(), "");
}

TEST(AtomicFileTest, ReplacesAndKeepsPermissions)
{
    TempDir dir;
    const std::string path = dir.Write("conf.ini", "old");
    ::chmod(path.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "new contents", error)) << error;
    EXPECT_EQ(dir.Read("conf.ini"), "new contents");
    struct stat st{};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary file is left beside it.
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFileTest, FollowsASymbolicLink)
{
    TempDir dir;
    const std::string real = dir.Write("real.ini", "old");
    const std::string link = dir.path() + "conf.ini";
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(link, "new", error)) << error;
    EXPECT_EQ(dir.Read("real.ini"), "new");
    struct stat st{};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(AtomicFileTest, FailureLeavesTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes through permission bits";
    TempDir dir;
    const std::string path = dir.Write("conf.ini", "old");
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "new", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dir.Read("conf.ini"), "old");

    ::chmod(path.c_str(), 0644);
    ::chmod(dir.path().c_str(), 0555);  // no temporary file can be made
    EXPECT_FALSE(WriteFileAtomically(path, "new", error));
    EXPECT_EQ(dir.Read("conf.ini"), "old");
}

TEST(AtomicFileTest, MissingFolderIsAnError)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(dir.path() + "no/such/conf.ini", "x", error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;

    std::filesystem::create_directory(dir.path() + "conf.ini");  // even root cannot replace a folder
    EXPECT_FALSE(WriteFileAtomically(dir.path() + "conf.ini", "x", error));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "conf.ini"));
}

}  // namespace
