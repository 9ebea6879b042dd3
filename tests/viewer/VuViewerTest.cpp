// The viewer's open path as far as this version goes: names, messages,
// events, detection, and the settings it keeps.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "text/core/VuViewerMsg.h"
#include "viewer/gui/VuViewer.h"

namespace {

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        SetViewerMessageHandler([this](const std::u16string& text, const std::u16string& caption) {
            messages_ << QString::fromStdU16String(caption) + QStringLiteral(": ") + QString::fromStdU16String(text);
        });
    }
    void TearDown() override { SetViewerMessageHandler({}); }

    QString Make(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QTemporaryDir dir_;
    QStringList messages_;
};

TEST_F(ViewerTest, OpenRunsTheDetectionAndFiresTheEvents)
{
    TVuViewer viewer;
    QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
    QSignalSpy unloads(&viewer, &TVuViewer::OnFileUnload);

    const QString text = Make(QStringLiteral("notes.txt"), "plain text\n");
    ASSERT_TRUE(viewer.Open(text));
    EXPECT_EQ(viewer.FileName(), text);
    EXPECT_EQ(viewer.FileSize(), 11);
    EXPECT_EQ(viewer.Mode(), vmodeText);
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(unloads.count(), 0);  // nothing was loaded before

    ASSERT_TRUE(viewer.Open(text));  // the same name: nothing happens
    EXPECT_EQ(loads.count(), 1);

    const QString unicode = Make(QStringLiteral("wide.bin"), QByteArray("\xFF\xFE" "a\0", 4));
    ASSERT_TRUE(viewer.Open(unicode));
    EXPECT_EQ(viewer.Mode(), vmodeUnicode);
    EXPECT_EQ(unloads.count(), 1);
    EXPECT_EQ(loads.count(), 2);

    ASSERT_TRUE(viewer.Open(QString()));  // an empty name unloads
    EXPECT_TRUE(viewer.FileName().isEmpty());
    EXPECT_EQ(unloads.count(), 2);
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ViewerTest, RelativeNamesBecomeAbsolute)
{
    TVuViewer viewer;
    const QString path = Make(QStringLiteral("rel.txt"), "x");
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    EXPECT_TRUE(viewer.Open(QStringLiteral("./rel.txt")));
    QDir::setCurrent(saved);
    EXPECT_EQ(viewer.FileName(), path);
}

TEST_F(ViewerTest, MissingFileAndFolderAreNotFound)
{
    TVuViewer viewer;
    QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
    const QString missing = dir_.filePath(QStringLiteral("gone.txt"));
    EXPECT_FALSE(viewer.Open(missing));
    EXPECT_FALSE(viewer.Open(dir_.path()));
    EXPECT_TRUE(viewer.FileName().isEmpty());
    EXPECT_EQ(loads.count(), 0);
    ASSERT_EQ(messages_.size(), 2);
    EXPECT_EQ(messages_[0], QStringLiteral("Viewer: File not found: ") + missing);
    EXPECT_EQ(messages_[1], QStringLiteral("Viewer: File not found: ") + dir_.path());
}

TEST_F(ViewerTest, ModeDetectOffKeepsTheMode)
{
    TVuViewer viewer;
    viewer.DetectSettings().ModeDetect = false;
    viewer.SetMode(vmodeHex);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    EXPECT_EQ(viewer.Mode(), vmodeHex);
}

TEST_F(ViewerTest, PluginListAndSettings)
{
    TVuViewer viewer;
    EXPECT_TRUE(viewer.AddPlugin(QStringLiteral("/p/a.wlx"), QStringLiteral("EXT=\"INI\"")));
    EXPECT_FALSE(viewer.AddPlugin(QString(), QString()));
    ASSERT_EQ(viewer.Plugins().size(), 1);
    EXPECT_EQ(viewer.Plugins()[0].detectString, QStringLiteral("EXT=\"INI\""));
    viewer.ClearPlugins();
    EXPECT_TRUE(viewer.Plugins().isEmpty());

    // The published defaults the settings fall back on.
    EXPECT_EQ(viewer.TextColor(), 0xFF000005u);
    EXPECT_EQ(viewer.TextColorHex(), 0x800000u);
    EXPECT_EQ(viewer.TextColorHex2(), 0xFF0000u);
    EXPECT_EQ(viewer.TextColorHexBack(), 0xECECECu);
    EXPECT_EQ(viewer.TextColorGutter(), 0xC0C0C0u);
    EXPECT_EQ(viewer.MediaVolume(), 8);
    EXPECT_EQ(viewer.MediaMode(), vmmodeWMP64);
    EXPECT_TRUE(viewer.PluginsFirst());
    viewer.SetMediaVolume(42);
    EXPECT_EQ(viewer.MediaVolume(), 10);
    // Properties language files and settings reach by name.
    EXPECT_TRUE(viewer.setProperty("TextWrap", true));
    EXPECT_TRUE(viewer.TextWrap());
}

}  // namespace
