// The window's hook on the real main window, driven through the window as
// the desktop drives it: keys at the focused control, mouse events at the
// window. Media cases play through a stand-in of the media library.
#include <gtest/gtest.h>

#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>
#include <QWindow>
#include <filesystem>

#include "ModalScript.h"
#include "TempDir.h"
#include "app/gui/AppMessageHook.h"
#include "app/gui/Form1.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SpeedButton.h"
#include "binhex/gui/VuBinHex.h"
#include "text/core/VuViewerMsg.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

// A media library with a stream whose position and volume the test sets.
class StreamMedia final : public TMediaLibrary {
public:
    void setWaveOutVolume(int v) override { volume = v; }
    int getWaveOutVolume() override { return volume; }
    void freeMediaStream() override { stream = false; }
    bool VideoAvailable() override { return stream; }
    void setVideoPos(int, int, int, int) override {}
    void loadMediaFile(const QString&, QWidget*) override { stream = true; }
    bool MediaStreamAvailable() override { return stream; }
    int64_t getMediaStreamDuration() override { return duration; }
    int64_t getMediaStreamPos() override { return position; }
    void setMediaStreamPos(int64_t p) override { position = p; }

    bool stream = false;
    int volume = 0;
    int64_t duration = 0;
    int64_t position = 0;
};

constexpr int64_t kSecond = 10'000'000;  // in the library's 100-ns units

class AppMessageHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetExtensionLists();
        SetViewerMessageHandler([](const std::u16string&, const std::u16string&) {});
    }
    void TearDown() override
    {
        form_.reset();
        SetViewerMessageHandler({});
        ResetExtensionLists();
    }

    TForm1& Make()
    {
        TForm1Options o;
        o.appDir = QString::fromStdString(dir_.path());
        o.useCommandLine = false;
        o.media = &media_;
        o.reportError = [](const QString&) {};
        o.beep = [] {};
        form_ = std::make_unique<TForm1>(std::move(o));
        // The list shows an empty folder, so a click on it opens nothing.
        std::filesystem::create_directories(dir_.path() + "empty");
        form_->listview->SetFolder(QString::fromStdString(dir_.path() + "empty"));
        form_->show();
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }
    QString File(const std::string& name, const std::string& bytes = "some text\n")
    {
        return QString::fromStdString(dir_.Write(name, bytes));
    }
    QWindow* Window() { return form_->windowHandle(); }
    bool PanelsShown() { return !form_->listview->isHidden() && !form_->treeview->isHidden(); }
    // The middle of the viewer, in window coordinates.
    QPoint ViewerMiddle() { return form_->viewer->geometry().center(); }
    void Wheel(const QPoint& at, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWheelEvent wheel(at, Window()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Window(), &wheel);
    }

    TempDir dir_;
    StreamMedia media_;
    std::unique_ptr<TForm1> form_;
    ModalScript script_;
};

TEST_F(AppMessageHookTest, EscapeClosesTheWindowFromAnyControl)
{
    const std::function<QWidget*(TForm1&)> controls[] = {
        [](TForm1& f) { return f.listview->CurrentView(); },
        [](TForm1& f) { return static_cast<QWidget*>(f.treeview); },
        [](TForm1& f) { return static_cast<QWidget*>(f.viewer->TextView()); },
        [](TForm1& f) { return static_cast<QWidget*>(f.ToolButton(QStringLiteral("btnopen"))); },
        [](TForm1& f) { return static_cast<QWidget*>(&f); },
    };
    for (const auto& control : controls) {
        TForm1& form = Make();
        form.viewer->Open(File("a.txt"));
        QWidget* target = control(form);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible()) << target->objectName().toStdString();
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(dir_.path()) + "conf.ini"));
        form_.reset();
        std::filesystem::remove(dir_.path() + "conf.ini");
    }
}

TEST_F(AppMessageHookTest, DoubleClickTogglesThePanelsExceptOnTheToolbarRow)
{
    TForm1& form = Make();
    // On the next button (no folder yet, so it steps nowhere), and under
    // the one-row left panel but still within the row's height.
    const QPoint onRow(form.btnnext->x() + 5, form.btnnext->y() + 5);
    ASSERT_EQ(form.leftpanel->height(), 22);
    const QPoint underLeftPanel(form.leftpanel->x() + 2, 30);
    QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, onRow);
    QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, underLeftPanel);
    EXPECT_TRUE(PanelsShown());

    QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_FALSE(PanelsShown());
    // Below the row, even under the panels' column, is not the row.
    QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, QPoint(onRow.x(), form.btnnext->height() + 2));
    EXPECT_TRUE(PanelsShown());

    form.mousefileexplorer = false;
    QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_TRUE(PanelsShown());
}

TEST_F(AppMessageHookTest, RightDoubleClickOnATextFileTogglesFullScreen)
{
    TForm1& form = Make();
    form.viewer->Open(File("notes.txt"));
    ASSERT_EQ(form.viewer->Mode(), vmodeText);
    QTest::mouseDClick(Window(), Qt::RightButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_TRUE(form.FullScreen);
    EXPECT_FALSE(form.MediaFullScreen);
    QTest::mouseDClick(Window(), Qt::RightButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_FALSE(form.FullScreen);
}

TEST_F(AppMessageHookTest, ContextMenuWaitsForTheDoubleClickTime)
{
    TForm1& form = Make();
    form.viewer->Open(File("notes.txt"));
    const int wait = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 150;
    // A double click: full screen and no menu left open to take the clicks.
    QTest::mouseDClick(Window(), Qt::RightButton, Qt::NoModifier, ViewerMiddle());
    QTest::qWait(wait);
    EXPECT_TRUE(form.FullScreen);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // One click: the text view's menu, after the double-click time.
    QTest::mouseClick(Window(), Qt::RightButton, Qt::NoModifier, ViewerMiddle() + QPoint(0, 40), 1000);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activePopupWidget() != nullptr, wait);
    QWidget* menu = QApplication::activePopupWidget();
    EXPECT_TRUE(form.viewer->TextView()->isAncestorOf(menu) || menu->parentWidget() == form.viewer->TextView());
    menu->close();
    EXPECT_TRUE(form.FullScreen);
}

TEST_F(AppMessageHookTest, MWithoutTheAutomaticMenuSlidesTheToolbarOutAndBack)
{
    TForm1& form = Make();
    ASSERT_FALSE(form.automenu);
    QWidget* list = form.listview->CurrentView();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_M);
    EXPECT_FALSE(form.ToolbarShown);
    EXPECT_EQ(form.btnnext->y(), -46);
    QTest::keyClick(list, Qt::Key_M, Qt::ShiftModifier);
    EXPECT_TRUE(form.ToolbarShown);
    EXPECT_EQ(form.btnnext->y(), 0);
    // Mouse moves alone do not move it.
    QTest::mouseMove(Window(), ViewerMiddle());
    EXPECT_TRUE(form.ToolbarShown);
}

TEST_F(AppMessageHookTest, MouseMovesDriveTheAutomaticToolbar)
{
    TForm1& form = Make();
    form.automenu = true;
    // (A move to where the cursor already is is no move.)
    QTest::mouseMove(Window(), ViewerMiddle() + QPoint(7, 3));
    QTest::mouseMove(Window(), ViewerMiddle());
    EXPECT_FALSE(form.ToolbarShown);
    QTest::mouseMove(Window(), QPoint(form.leftpanel->x() + 4, 4));
    EXPECT_TRUE(form.ToolbarShown);
}

TEST_F(AppMessageHookTest, CharacterKeysRunTheirCommands)
{
    TForm1& form = Make();
    form.openfile(File("a.txt"), false, true);
    QWidget* view = form.viewer->TextView();
    view->setFocus();

    QTest::keyClick(view, Qt::Key_F);
    EXPECT_TRUE(form.FullScreen);
    QTest::keyClick(view, Qt::Key_F, Qt::ShiftModifier);
    EXPECT_FALSE(form.FullScreen);

    QTest::keyClick(view, '`');
    EXPECT_FALSE(PanelsShown());
    QTest::keyClick(view, '~');
    EXPECT_TRUE(PanelsShown());

    QStringList dialogs;
    script_.On<QFileDialog>([&](QFileDialog* d) { dialogs << d->objectName(), d->reject(); });
    QTest::keyClick(view, Qt::Key_O);
    script_.On<QFileDialog>([&](QFileDialog* d) { dialogs << d->objectName(), d->reject(); });
    QTest::keyClick(view, Qt::Key_S);
    EXPECT_EQ(dialogs, (QStringList{QStringLiteral("od"), QStringLiteral("copydlg")}));

    // With Alt a letter is no command.
    QTest::keyClick(view, Qt::Key_F, Qt::AltModifier);
    EXPECT_FALSE(form.FullScreen);
}

TEST_F(AppMessageHookTest, ViewModeMenuIsOneRadioGroup)
{
    TForm1& form = Make();
    const QList<QAction*> items = form.viewpopup->actions();
    ASSERT_EQ(items.size(), 9);
    QActionGroup* group = items.first()->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isExclusive());
    for (QAction* a : items)
        EXPECT_EQ(a->actionGroup(), group) << a->objectName().toStdString();
    EXPECT_EQ(group->checkedAction(), form.N4);
}

TEST_F(AppMessageHookTest, MediaKeysSeekAndSetTheVolumeWithinTheirRange)
{
    TForm1& form = Make();
    media_.stream = true;
    media_.duration = 60 * kSecond;
    form.viewer->setFocus();
    ASSERT_TRUE(form.viewer->hasFocus());

    const struct {
        Qt::Key key;
        int volumeBefore;
        int64_t positionBefore;
        int volumeAfter;
        int64_t positionAfter;
    } rows[] = {
        {Qt::Key_Up, 63000, 0, 65535, 0},
        {Qt::Key_Up, 1000, 0, 4276, 0},
        {Qt::Key_Down, 2000, 0, 0, 0},
        {Qt::Key_Down, 40000, 0, 36724, 0},
        {Qt::Key_Left, 0, 30 * kSecond, 0, 25 * kSecond},
        {Qt::Key_Left, 0, 2 * kSecond, 0, 0},
        {Qt::Key_Right, 0, 30 * kSecond, 0, 35 * kSecond},
        {Qt::Key_Right, 0, 58 * kSecond, 0, 60 * kSecond},
    };
    for (const auto& r : rows) {
        media_.volume = r.volumeBefore;
        media_.position = r.positionBefore;
        QTest::keyClick(form.viewer, r.key);
        EXPECT_EQ(media_.volume, r.volumeAfter) << r.key << " " << r.volumeBefore;
        EXPECT_EQ(media_.position, r.positionAfter) << r.key << " " << r.positionBefore;
    }

    // Not while the media timer runs, nor with the focus elsewhere.
    media_.volume = 1000;
    form.TimerBusy = true;
    QTest::keyClick(form.viewer, Qt::Key_Up);
    form.TimerBusy = false;
    form.treeview->setFocus();
    QTest::keyClick(form.treeview, Qt::Key_Up);
    EXPECT_EQ(media_.volume, 1000);
}

TEST_F(AppMessageHookTest, WheelOverPlayingMediaSetsTheVolume)
{
    TForm1& form = Make();
    form.treeview->setFocus();
    media_.volume = 10000;
    Wheel(ViewerMiddle(), 120);  // no stream: the wheel is the viewer's
    EXPECT_EQ(media_.volume, 10000);

    media_.stream = true;
    Wheel(ViewerMiddle(), 120);
    EXPECT_EQ(media_.volume, 13276);
    Wheel(ViewerMiddle(), -120);
    Wheel(ViewerMiddle(), -120);
    EXPECT_EQ(media_.volume, 6724);
    // Other turns pass: with a key held, half a notch, over the file list.
    Wheel(ViewerMiddle(), 120, Qt::ControlModifier);
    Wheel(ViewerMiddle(), 60);
    Wheel(form.listview->geometry().center(), 120);
    EXPECT_EQ(media_.volume, 6724);
}

TEST_F(AppMessageHookTest, HoverOverTheVideoShowsThePanelAndTheCursor)
{
    TForm1& form = Make();
    media_.stream = true;
    form.SetCursorShown(false);
    form.SampledCursorPos = QPoint(-1000, -1000);
    const QPoint bottom(ViewerMiddle().x(), form.viewer->height() - 5);
    QTest::mouseMove(Window(), bottom);
    EXPECT_TRUE(form.CursorShown);
    ASSERT_TRUE(form.mediapanel1->isVisible());
    EXPECT_EQ(form.mediapanel1->geometry(),
              QRect(form.viewer->x(), form.viewer->height() - form.mediapanel1->height(), form.viewer->width(),
                    form.mediapanel1->height()));
    QTest::mouseMove(Window(), ViewerMiddle());
    EXPECT_FALSE(form.mediapanel1->isVisible());
}

TEST_F(AppMessageHookTest, RightDoubleClickOnAStreamIsMediaFullScreenAndBack)
{
    TForm1& form = Make();
    media_.stream = true;
    QTest::mouseDClick(Window(), Qt::RightButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_TRUE(form.MediaFullScreen);
    EXPECT_TRUE(form.FullScreen);
    EXPECT_FALSE(PanelsShown());

    QTest::mouseDClick(Window(), Qt::RightButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_FALSE(form.MediaFullScreen);
    EXPECT_FALSE(form.FullScreen);
    EXPECT_TRUE(PanelsShown());
}

TEST_F(AppMessageHookTest, LeftClickOnTheVideoPausesWithLmbPause)
{
    TForm1& form = Make();
    media_.stream = true;
    // The media panel's play/pause button.
    auto* playpause = new QPushButton(form.mediapanel1);
    playpause->setObjectName(QStringLiteral("playpause"));
    int clicks = 0;
    QObject::connect(playpause, &QPushButton::clicked, [&clicks] { ++clicks; });

    QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, form.listview->geometry().center());
    EXPECT_EQ(clicks, 1);
    form.lmbpause = false;
    QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, ViewerMiddle());
    EXPECT_EQ(clicks, 1);
}

}  // namespace
