// The programs "open with another program" offers: desktop entries, the
// associations of mimeapps.list, and the command lines that open a file.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "app/core/DesktopEntries.h"
#include "app/core/ExecCommand.h"

namespace {

TEST(ExecCommandTest, FieldCodesAndQuoting)
{
    ExecContext c;
    c.file = "/home/me/a b.txt";
    c.name = "Editor";
    c.icon = "editor";
    c.entryPath = "/usr/share/applications/editor.desktop";
    struct Row {
        const char* exec;
        std::vector<std::string> argv;
    };
    const Row rows[] = {
        {"editor %f", {"editor", "/home/me/a b.txt"}},
        {"editor %U", {"editor", "file:///home/me/a%20b.txt"}},
        {"editor --name=%c %i %F", {"editor", "--name=Editor", "--icon", "editor", "/home/me/a b.txt"}},
        {"editor", {"editor", "/home/me/a b.txt"}},  // no file code: the file goes last
        {"\"/opt/my app/run\" --title \"say \\\"hi\\\"\" %f", {"/opt/my app/run", "--title", "say \"hi\"", "/home/me/a b.txt"}},
        {"viewer %d %m 100%% %k %f", {"viewer", "100%", "/usr/share/applications/editor.desktop", "/home/me/a b.txt"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exec);
        std::vector<std::string> argv;
        ASSERT_TRUE(ExpandExec(row.exec, c, argv));
        EXPECT_EQ(argv, row.argv);
    }
    std::vector<std::string> argv;
    EXPECT_FALSE(ExpandExec("editor \"unterminated", c, argv));
    EXPECT_FALSE(ExpandExec("   ", c, argv));
}

TEST(DesktopEntriesTest, EntriesInTheUsersLanguageAndWhatHidesThem)
{
    DesktopEntry e;
    ASSERT_TRUE(ParseDesktopEntry("# comment\n[Desktop Entry]\nType=Application\nName=Text Editor\n"
                                  "Name[ru]=Редактор\nName[ru_RU]=Текстовый редактор\nExec=edit\\s--new %F\n"
                                  "MimeType=text/plain;text/x-c;\nTerminal=true\n[Desktop Action new]\nName=Other\n",
                                  {"ru_RU", "ru"}, e));
    EXPECT_EQ(e.name, "Текстовый редактор");
    EXPECT_EQ(e.exec, "edit --new %F");
    EXPECT_EQ(e.mimeTypes, (std::vector<std::string>{"text/plain", "text/x-c"}));
    EXPECT_TRUE(e.terminal);

    DesktopEntry other;
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nType=Link\nName=L\nURL=x\n", {}, other));
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nType=Application\nName=H\nExec=h\nHidden=true\n", {}, other));
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nType=Application\nName=N\n", {}, other));
}

TEST(DesktopEntriesTest, ApplicationsForAType)
{
    TempDir home, system;
    auto entry = [](const char* name, const char* mime, const char* extra = "") {
        return std::string("[Desktop Entry]\nType=Application\nName=") + name + "\nExec=" + name + " %f\nMimeType=" +
               mime + "\n" + extra;
    };
    system.Write("applications/zed.desktop", entry("Zed", "text/plain;"));
    system.Write("applications/alpha.desktop", entry("Alpha", "text/plain;"));
    system.Write("applications/kde/view.desktop", entry("KView", "image/png;"));
    system.Write("applications/gone.desktop", entry("Gone", "text/plain;", "TryExec=/no/such/program\n"));
    system.Write("applications/hex.desktop", entry("Hex", "application/octet-stream;"));
    // The user's own entry of the same id wins over the system's.
    home.Write("applications/alpha.desktop", entry("Alpha Local", "text/plain;"));
    home.Write("applications/mimeapps.list",
               "[Default Applications]\ntext/x-log=zed.desktop;\n[Added Associations]\ntext/x-log=kde-view.desktop;\n"
               "[Removed Associations]\ntext/plain=alpha.desktop;\n");

    const std::vector<std::string> dirs = {home.path(), system.path()};
    const std::vector<DesktopEntry> apps = InstalledApplications(dirs, {});
    ASSERT_EQ(apps.size(), 4u);  // Gone's program is missing; one Alpha
    const MimeAssociations assoc = LoadMimeAssociations({}, dirs);

    auto names = [&](const std::vector<std::string>& types) {
        std::vector<std::string> out;
        for (const DesktopEntry& app : ApplicationsFor(apps, types, assoc))
            out.push_back(app.name + "=" + app.id);
        return out;
    };
    // A log file is a kind of plain text: the default first, then the added
    // and the claiming entries by name; Alpha is removed for plain text.
    EXPECT_EQ(names({"text/x-log", "text/plain"}),
              (std::vector<std::string>{"Zed=zed.desktop", "KView=kde-view.desktop"}));
    EXPECT_EQ(names({"image/png"}), (std::vector<std::string>{"KView=kde-view.desktop"}));
    EXPECT_TRUE(names({"audio/x-nothing"}).empty());
}

}  // namespace
