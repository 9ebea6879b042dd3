// Auto-reload on the real widget and its real watcher: following a log's
// end, keeping the start, a deleted file, other files of the folder,
// bursts of writes, a file cut while shown, and changes during drawing.
#include "FileNotificationTestSupport.h"
#include "WidgetTestSupport.h"

#include <unistd.h>

namespace {

using filenotif_test::ScratchDir;
using filenotif_test::WriteFile;

// A watched view over `name` in a scratch folder.
class ReloadTest : public ::testing::Test {
protected:
    void Show(const std::string& content, bool autoReload = true)
    {
        path_ = dir_ / "log.txt";
        WriteFile(path_, content);
        view_.SetColor(0xFFFFFF);
        view_.resize(640, 480);
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
        view_.SetAutoReload(autoReload);
        ASSERT_TRUE(view_.OpenFile(QString::fromStdString(path_)));
    }
    // The text of the last line drawn.
    std::string LastDrawn()
    {
        const TStrPositions& lines = view_.Positions();
        return lines.Count() ? Narrow(lines[lines.Count() - 1].text) : std::string();
    }

    ScratchDir dir_;
    std::string path_;
    TVuBinHex view_;
};

TEST_F(ReloadTest, AFollowedLogKeepsItsEndInView)
{
    Show(Rows(1000));
    QTest::keyClick(&view_, Qt::Key_End, Qt::ControlModifier);
    ASSERT_TRUE(view_.Model().EndVisible());
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    for (int round = 0; round < 2; ++round) {
        WriteFile(path_, "appended " + std::to_string(round) + "\n", true);
        ASSERT_TRUE(reloads.wait(3000));
        EXPECT_TRUE(view_.Model().EndVisible());
        EXPECT_EQ(LastDrawn(), "appended " + std::to_string(round));
    }
}

TEST_F(ReloadTest, TheSameAppendAtTheStartKeepsTheStartAndAPlaceKeepsItsLine)
{
    Show(Rows(1000));
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    WriteFile(path_, "appended\n", true);
    ASSERT_TRUE(reloads.wait(3000));
    EXPECT_EQ(view_.Model().ViewPos(), 0);
    EXPECT_EQ(view_.Model().FileSize(), 10000 + 9);

    // In the middle the same first line stays on top, change after change.
    view_.ScrollTo(5005);
    const int64_t top = view_.Model().ViewPos();
    for (int round = 0; round < 2; ++round) {
        WriteFile(path_, "more\n", true);
        ASSERT_TRUE(reloads.wait(3000));
        EXPECT_EQ(view_.Model().ViewPos(), top);
    }
}

TEST_F(ReloadTest, DeletingTheFileEmptiesTheViewAndRaisesTheEvent)
{
    Show("short log\n");
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    ASSERT_EQ(::unlink(path_.c_str()), 0);
    ASSERT_TRUE(reloads.wait(3000));
    EXPECT_FALSE(view_.Model().HasSource());
    EXPECT_TRUE(view_.FileName().isEmpty());
    EXPECT_EQ(view_.Positions().Count(), 0u);
    // No longer watched: a new file of that name is not shown.
    WriteFile(path_, "back again\n");
    EXPECT_FALSE(reloads.wait(500));
    EXPECT_FALSE(view_.Model().HasSource());
}

TEST_F(ReloadTest, AFileWrittenAnewRightAfterItsDeletionIsReloaded)
{
    Show("old content\n");
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    ASSERT_EQ(::unlink(path_.c_str()), 0);
    QTest::qWait(150);  // the deletion is seen before the new file comes
    WriteFile(path_, "new content\n");
    ASSERT_TRUE(reloads.wait(3000));
    QTest::qWait(TVuBinHex::kReappearMs + 200);
    EXPECT_EQ(reloads.count(), 1);
    EXPECT_TRUE(view_.Model().HasSource());
    EXPECT_EQ(LastDrawn(), "new content");
}

TEST_F(ReloadTest, AFileRenamedOverTheShownOneIsShown)
{
    Show("old content\n");
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    const std::string fresh = dir_ / "fresh.tmp";
    WriteFile(fresh, "replaced\n");
    QTest::qWait(200);  // the temporary file alone raises nothing
    EXPECT_EQ(reloads.count(), 0);
    ASSERT_EQ(::rename(fresh.c_str(), path_.c_str()), 0);
    ASSERT_TRUE(reloads.wait(3000));
    EXPECT_EQ(LastDrawn(), "replaced");
}

TEST_F(ReloadTest, AnotherFileOfTheFolderRaisesNothing)
{
    Show("watched\n");
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    WriteFile(dir_ / "other.txt", "something else\n");
    WriteFile(dir_ / "other.txt", "more\n", true);
    EXPECT_FALSE(reloads.wait(500));
}

TEST_F(ReloadTest, TenQuickWritesCauseOneReload)
{
    Show("start\n");
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    for (int i = 0; i < 10; ++i) {
        WriteFile(path_, "line " + std::to_string(i) + "\n", true);
        QTest::qSleep(5);
    }
    ASSERT_TRUE(reloads.wait(3000));
    QTest::qWait(400);
    EXPECT_EQ(reloads.count(), 1);
    EXPECT_EQ(view_.Model().FileSize(), 6 + 10 * 7);
}

TEST_F(ReloadTest, AFileCutWhileShownShowsWhatIsLeft)
{
    Show(Rows(1000));
    view_.SetAutoReloadFollowTail(false);
    view_.ScrollTo(8000);
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    ASSERT_EQ(::truncate(path_.c_str(), 90), 0);
    // Until the change arrives the view reads past the new end as zeros.
    view_.ScrollTo(8500);
    ASSERT_TRUE(reloads.wait(3000));
    EXPECT_EQ(view_.Model().FileSize(), 90);
    EXPECT_EQ(view_.Model().ViewPos(), 0);
    EXPECT_EQ(LastDrawn(), "row 10008");
}

TEST_F(ReloadTest, OffItWatchesNothingAndOnItStartsForTheOpenFile)
{
    Show("first\n", false);
    QSignalSpy reloads(&view_, &TVuBinHex::OnFileReload);
    WriteFile(path_, "second\n", true);
    EXPECT_FALSE(reloads.wait(400));
    EXPECT_EQ(view_.Model().FileSize(), 6);
    view_.SetAutoReload(true);
    WriteFile(path_, "third\n", true);
    ASSERT_TRUE(reloads.wait(3000));
    EXPECT_EQ(view_.Model().FileSize(), 6 + 7 + 6);
    // Showing a stream stops watching.
    TVuMemoryStream stream(std::string("in memory"));
    view_.OpenStream(&stream);
    WriteFile(path_, "fourth\n", true);
    EXPECT_FALSE(reloads.wait(400));
    view_.OpenStream(nullptr);
}

// A view whose drawing lock the test holds, as a drawing that lets events
// through (a message box of a failed read) would.
class HeldView : public TVuBinHex {
public:
    using TVuBinHex::TDrawLock;
};

TEST(BinHexReloadWhileDrawing, AChangeWaitsForTheDrawingToEnd)
{
    ScratchDir dir;
    const std::string path = dir / "log.txt";
    WriteFile(path, "one\n");
    HeldView view;
    view.SetAutoReload(true);
    ASSERT_TRUE(view.OpenFile(QString::fromStdString(path)));
    QSignalSpy reloads(&view, &TVuBinHex::OnFileReload);
    {
        HeldView::TDrawLock lock(view);
        WriteFile(path, "two\n", true);
        QTest::qWait(500);  // the change arrives and waits
        EXPECT_EQ(reloads.count(), 0);
        EXPECT_EQ(view.Model().FileSize(), 4);
    }
    ASSERT_TRUE(reloads.wait(1000));
    EXPECT_EQ(view.Model().FileSize(), 8);
}

}  // namespace
