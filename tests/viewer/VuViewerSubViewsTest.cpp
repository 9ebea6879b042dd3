// The viewer's dispatch to the sub-views other than the text view, seen
// through recording fakes: which view loads, which is shown, what is
// forwarded, and what unloading and mode changes ask of each.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "FakeSubViews.h"
#include "binhex/gui/VuBinHex.h"
#include "text/core/VuViewerMsg.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

class SubViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ResetExtensionLists();
        SetViewerMessageHandler([this](const std::u16string& text, const std::u16string&) {
            messages_ << QString::fromStdU16String(text);
        });
        viewer_ = std::make_unique<TVuViewer>();
    }
    void TearDown() override
    {
        viewer_.reset();
        SetViewerMessageHandler({});
    }

    QString Make(const QString& name, const QByteArray& bytes = "content")
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QStringList TakeCalls()
    {
        QStringList calls = SubViewCalls();
        SubViewCalls().clear();
        return calls;
    }

    FakeMakersScope makers_;
    QTemporaryDir dir_;
    QStringList messages_;
    std::unique_ptr<TVuViewer> viewer_;
};

TEST_F(SubViewTest, RichTextLoadsShowsAndKeepsItsMenuInStep)
{
    TVuViewer& v = *viewer_;
    ASSERT_TRUE(v.Open(Make(QStringLiteral("letter.rtf"))));
    auto* rich = static_cast<FakeRichText*>(v.RichTextView());
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(TakeCalls(), (QStringList{QStringLiteral("Rich.Wrap(0)"), QStringLiteral("Rich.Load(letter.rtf)")}));
    EXPECT_FALSE(rich->isHidden());
    EXPECT_TRUE(v.TextView()->isHidden());
    ASSERT_EQ(rich->menu, v.RichTextMenu());

    // Menu: "Copy" only with a selection, "Select all" unless all is selected.
    const QList<QAction*> items = v.RichTextMenu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_FALSE(items[0]->isEnabled());
    EXPECT_TRUE(items[2]->isEnabled());
    rich->SetSelection(0, 4);
    EXPECT_TRUE(items[0]->isEnabled());
    items[2]->trigger();
    EXPECT_EQ(rich->SelLength(), rich->TextLength());
    EXPECT_FALSE(items[2]->isEnabled());

    EXPECT_EQ(v.TextSelText(), "rich text body");
    v.ResetSelection();
    EXPECT_EQ(rich->SelLength(), 0);

    // With TextAutoCopy a new selection goes to the clipboard.
    TakeCalls();
    v.SetTextAutoCopy(true);
    rich->SetSelection(5, 4);
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Rich.Copy(text)")});

    // A zoom step changes the rich text font and TextFont follows.
    QFont font = v.TextFont();
    font.setPointSize(10);
    v.SetTextFont(font);
    v.ZoomStep(true);
    EXPECT_EQ(v.TextFont().pointSize(), 11);

    v.SetTextWrap(true);
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Rich.Wrap(1)")});

    // Back to text: the rich view hides and the text view shows the file.
    v.SetMode(vmodeText);
    EXPECT_TRUE(rich->isHidden());
    EXPECT_TRUE(rich->text.isEmpty());
    EXPECT_FALSE(v.TextView()->isHidden());
}

TEST_F(SubViewTest, ImagesLoadAndTakeImageCommands)
{
    TVuViewer& v = *viewer_;
    v.SetMediaColor(0x00FF00);
    ASSERT_TRUE(v.Open(Make(QStringLiteral("photo.png"))));
    auto* image = static_cast<FakeImage*>(v.ImageView());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(v.IsImage());
    EXPECT_FALSE(v.IsMedia());
    EXPECT_FALSE(image->isHidden());
    EXPECT_EQ(image->background, 0x00FF00u);
    TakeCalls();

    EXPECT_TRUE(v.ImageCommand(5));  // flip horizontal is operation 6
    EXPECT_FALSE(v.ImageCommand(13));
    EXPECT_FALSE(v.ImageCommand(-1));
    v.ZoomStep(false);
    EXPECT_EQ(TakeCalls(), (QStringList{QStringLiteral("Image.Op(6,ff00)"), QStringLiteral("Image.Zoom(0)")}));

    // The image box's own fit reads back while a picture is shown.
    image->fit = false;
    EXPECT_FALSE(v.MediaFit());

    v.Unload();
    EXPECT_TRUE(v.HadImage());
    EXPECT_FALSE(v.IsImage());
    ASSERT_TRUE(v.Open(Make(QStringLiteral("notes.txt"))));
    EXPECT_TRUE(image->isHidden());
    EXPECT_FALSE(v.ImageCommand(0));  // no picture any more

    ASSERT_TRUE(v.Open(Make(QStringLiteral("bad.png"))));
    EXPECT_EQ(messages_, QStringList{QStringLiteral("Unknown image format")});
    EXPECT_FALSE(v.HadImage());
}

TEST_F(SubViewTest, PlayersLoadAndAChangedPlayerKindUnloads)
{
    TVuViewer& v = *viewer_;
    ASSERT_TRUE(v.Open(Make(QStringLiteral("song.mp3"))));
    EXPECT_TRUE(v.IsMedia());
    EXPECT_FALSE(v.IsImage());
    auto* player = static_cast<FakePlayer*>(v.MediaPlayer());
    ASSERT_NE(player, nullptr);
    EXPECT_FALSE(player->isHidden());
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Player2.Load(song.mp3,vol 8)")});

    // The user turned the volume down in the player: the next file keeps it.
    player->volume = 3;
    v.SetMediaMode(vmmodeWMP9);
    EXPECT_TRUE(player->isHidden());
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Player2.Release")});
    EXPECT_EQ(v.FileName(), dir_.filePath(QStringLiteral("song.mp3")));  // not reloaded, but still named

    v.SetMode(vmodeMedia);
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Player3.Load(song.mp3,vol 3)")});
    v.SetMediaMode(vmmodeWMP9);  // unchanged: nothing happens
    EXPECT_TRUE(TakeCalls().isEmpty());
}

TEST_F(SubViewTest, PluginsShowDetectedAndForcedFiles)
{
    TVuViewer& v = *viewer_;
    EXPECT_TRUE(v.AddPlugin(QStringLiteral("/p/inifile.wlx"), QStringLiteral("EXT=\"INI\"")));
    ASSERT_EQ(v.Plugins().size(), 1);

    // The detection asks the plugins first and the host takes the .ini file.
    TakeCalls();
    ASSERT_TRUE(v.Open(Make(QStringLiteral("setup.ini"))));
    EXPECT_EQ(v.Mode(), vmodeWLX);
    EXPECT_EQ(v.PluginName(), QStringLiteral("inifile"));
    EXPECT_TRUE(v.TextView()->isHidden());
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Host.Open(setup.ini,auto,wrap 0)")});

    // Settings changes are sent on to the plugin.
    v.SetTextWrap(true);
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Host.Params(wrap 1)")});
    v.PrintFile();
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Host.Print")});

    // Leaving plugin view closes the plugin window.
    v.SetMode(vmodeText);
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Host.Close")});
    EXPECT_TRUE(v.PluginName().isEmpty());
    EXPECT_FALSE(v.TextView()->isHidden());

    // Chosen by hand, the plugin is asked to take the file by force.
    v.SetMode(vmodeWLX);
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Host.Open(setup.ini,forced,wrap 1)")});
    EXPECT_TRUE(v.TextView()->isHidden());

    // Without the detection no plugin is asked: the window showing the
    // previous file closes, and the file still counts as loaded.
    v.SetModeDetect(false);
    QSignalSpy loads(&v, &TVuViewer::OnFileLoad);
    ASSERT_TRUE(v.Open(Make(QStringLiteral("other.ini"))));
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Host.Close")});
    EXPECT_EQ(loads.count(), 1);
    EXPECT_TRUE(v.PluginName().isEmpty());

    v.ClearPlugins();
    EXPECT_TRUE(v.Plugins().isEmpty());
    EXPECT_EQ(TakeCalls(), QStringList{QStringLiteral("Host.UnloadAll")});
}

}  // namespace
