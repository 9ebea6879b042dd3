// The main window's start and close: settings from conf.ini onto the
// window and back, the saved-bounds rules, the plugin list, the command
// line, the toolbar row, and termination signals.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTreeView>

#include <csignal>
#include <set>

#include "TempDir.h"
#include "app/gui/Form1.h"
#include "app/gui/Fpluginst.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SignalCloser.h"
#include "app/gui/SkinManager.h"
#include "app/gui/SpeedButton.h"
#include "app/gui/SplitterBar.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override { ResetExtensionLists(); }
    void TearDown() override
    {
        ResetExtensionLists();
        qApp->setStyleSheet(QString());
    }

    std::unique_ptr<TForm1> Make(QStringList parameters = {})
    {
        TForm1Options o;
        o.appDir = QString::fromStdString(dir_.path());
        o.parameters = std::move(parameters);
        o.useCommandLine = false;
        o.media = &media_;
        o.detectStringReader = [](const std::string& path) { return "detect:" + path.substr(path.rfind('/') + 1); };
        o.reportError = [this](const QString& message) { errors_ << message; };
        return std::make_unique<TForm1>(std::move(o));
    }

    IniDocument Conf() const { return IniDocument::Parse(dir_.Read("conf.ini")); }

    TempDir dir_;
    TNoMediaLibrary media_;
    QStringList errors_;
};

TEST_F(Form1Test, FirstStartWithoutConfIni)
{
    auto form = Make();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Peekwell 1.1.6 (Tarnwick)"));
    EXPECT_EQ(form->SavedBounds, QRect(0, 0, 800, 600));
    EXPECT_EQ(form->size(), QSize(800, 600));
    EXPECT_EQ(form->treeview->minimumWidth(), 200);
    EXPECT_EQ(form->listview->minimumWidth(), 200);
    EXPECT_FALSE(form->treeview->isHidden());
    EXPECT_FALSE(form->listview->isHidden());
    EXPECT_TRUE(form->skinManager->Active());
    EXPECT_EQ(form->skinManager->SkinName(), QStringLiteral("Office12Style"));
    EXPECT_EQ(form->skinManager->SkinDirectory(), QString::fromStdString(dir_.path()) + QStringLiteral("skins"));
    EXPECT_TRUE(form->N10->isChecked());
    EXPECT_TRUE(form->viewer->TextWrap());
    EXPECT_EQ(form->viewer->TextFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(form->viewer->TextFont().pointSize(), 10);
    EXPECT_EQ(media_.getWaveOutVolume(), 0);
    EXPECT_EQ(form->mediamode, 0);  // the classic player control
    EXPECT_EQ(form->LanguageFile, QString::fromStdString(dir_.path()) + QStringLiteral("Languages/english.lng"));
    EXPECT_TRUE(form->mediapanel1->isHidden());
    EXPECT_TRUE(form->pAbout->isHidden());
    EXPECT_FALSE(form->trayicon->isVisible());
    EXPECT_EQ(form->trayicon->toolTip(), QStringLiteral("Peekwell"));
}

TEST_F(Form1Test, ComponentsCarryTheirNames)
{
    auto form = Make();
    for (const char* name : {"treeview", "sSplitter2", "listview", "sSplitter1", "viewer", "mediapanel1", "pAbout",
                             "leftpanel", "rightpanel", "btnprew", "btnnext", "options", "N10", "N7", "N8", "N9",
                             "N11", "trayicon"})
        EXPECT_NE(form->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;

    struct Button {
        const char* name;
        const char* parent;
        QPoint place;
        const char* hint;
    } buttons[] = {
        {"btnopen", "leftpanel", {0, 0}, "Открыть файл"},
        {"btnzoomin", "leftpanel", {88, 0}, "Увеличить"},
        {"btnfind", "leftpanel", {0, 22}, "Найти Ctrl+F"},
        {"btnwrap", "leftpanel", {88, 22}, ""},
        {"btnprint", "rightpanel", {44, 0}, "Печать\\настройка принтера"},
        {"btnsave", "rightpanel", {110, 0}, ""},
        {"btnother", "rightpanel", {110, 22}, "Чёрно-белые тона"},
    };
    for (const Button& b : buttons) {
        TSpeedButton* button = form->ToolButton(QString::fromLatin1(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->parentWidget()->objectName(), QString::fromLatin1(b.parent)) << b.name;
        EXPECT_EQ(button->pos(), b.place) << b.name;
        EXPECT_EQ(button->size(), QSize(22, 22)) << b.name;
        EXPECT_EQ(button->property("Hint").toString(), QString::fromUtf8(b.hint)) << b.name;
    }
    EXPECT_FALSE(form->ToolButton(QStringLiteral("btnview"))->isEnabled());
    EXPECT_FALSE(form->ToolButton(QStringLiteral("btnprint"))->isEnabled());
    EXPECT_FALSE(form->ToolButton(QStringLiteral("btnsave"))->isEnabled());
    EXPECT_EQ(form->btnprew->property("Hint").toString(), QStringLiteral("Предыдущий файл"));
    EXPECT_EQ(form->btnnext->size(), QSize(40, 40));
    EXPECT_EQ(form->N9->text(), QStringLiteral("Настроить плагины"));
}

TEST_F(Form1Test, ToolbarRowCentredOnResize)
{
    auto form = Make();
    form->show();
    form->resize(780, 560);
    EXPECT_EQ(form->btnprew->x(), 350);
    EXPECT_EQ(form->btnnext->x(), 390);
    EXPECT_EQ(form->leftpanel->x(), 240);
    EXPECT_EQ(form->rightpanel->x(), 430);
    EXPECT_EQ(form->SavedBounds.size(), QSize(780, 560));
    // The window may grow to the screen, no larger.
    EXPECT_EQ(form->maximumSize(), form->screen()->size());
}

TEST_F(Form1Test, CloseWritesEveryKeyAndAStartRestoresThem)
{
    {
        auto form = Make();
        form->show();
        form->move(30, 40);
        form->resize(700, 540);
        form->treeview->setFixedWidth(150);
        form->listview->setFixedWidth(260);
        form->listview->hide();
        form->sSplitter1->hide();
        form->sSplitter2->hide();
        ExtTextList = "c,h,log";
        QFont font(QStringLiteral("DejaVu Sans Mono"), 13);
        font.setBold(true);
        form->viewer->SetTextFont(font);
        form->viewer->SetTextFontColor(0x0000FF);
        form->viewer->SetTextColor(0xEEFFFF);
        form->viewer->SetTextColorGutter(0x123456);
        form->ViewMode = 3;
        form->listview->SetViewStyle(3);
        form->close();
    }
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join(QLatin1Char('\n')).toStdString();
    const IniDocument conf = Conf();
    for (const ConfKey& row : kConfReadOrder)
        EXPECT_TRUE(conf.Value(row.section, row.key).has_value()) << row.section << "/" << row.key;
    EXPECT_EQ(conf.ReadString("skin", "DIR", ""), "{app}skins");

    ResetExtensionLists();
    auto again = Make();
    EXPECT_EQ(again->SavedBounds, QRect(30, 40, 700, 540));
    again->show();
    EXPECT_EQ(again->pos(), QPoint(30, 40));
    EXPECT_EQ(again->size(), QSize(700, 540));
    EXPECT_EQ(again->treeview->width(), 150);
    EXPECT_EQ(again->listview->minimumWidth(), 260);
    EXPECT_TRUE(again->listview->isHidden());
    EXPECT_FALSE(again->treeview->isHidden());
    EXPECT_TRUE(again->sSplitter1->isHidden());
    EXPECT_EQ(ExtTextList, "c,h,log");
    EXPECT_EQ(again->viewer->TextFont().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(again->viewer->TextFont().pointSize(), 13);
    EXPECT_TRUE(again->viewer->TextFont().bold());
    EXPECT_EQ(again->viewer->TextFontColor(), 0x0000FFu);
    EXPECT_EQ(again->viewer->TextColor(), 0xEEFFFFu);
    EXPECT_EQ(again->viewer->TextColorGutter(), 0x123456u);
    EXPECT_EQ(again->listview->ViewStyle(), TShellListView::vsReport);
}

TEST_F(Form1Test, ForeignContentOfConfIniSurvivesTheClose)
{
    dir_.Write("conf.ini", "; mine\n[window]\nwidth=900\nshade=blue\n[Extra]\nkey=value\n");
    Make()->close();
    const std::string text = dir_.Read("conf.ini");
    EXPECT_EQ(text.rfind("; mine\n[window]\nwidth=900\nshade=blue\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Extra]\nkey=value\n"), std::string::npos);
}

TEST_F(Form1Test, SplittersComeBackInTheStateOfSplitter2)
{
    {
        auto form = Make();
        form->sSplitter1->hide();  // sSplitter2 stays visible
        form->close();
    }
    auto again = Make();
    EXPECT_FALSE(again->sSplitter1->isHidden());
    EXPECT_FALSE(again->sSplitter2->isHidden());
}

TEST_F(Form1Test, MaximizedAndFullScreenKeepTheNormalBounds)
{
    auto form = Make();
    form->show();
    form->resize(700, 450);
    form->FullScreen = true;  // the full-screen view resizes the window
    form->resize(790, 590);
    form->move(-4, -20);
    EXPECT_EQ(form->SavedBounds, QRect(0, 0, 700, 450));
    form->FullScreen = false;
    form->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(form->SavedBounds.size(), QSize(700, 450));
    form->close();
    const IniDocument conf = Conf();
    EXPECT_EQ(conf.ReadInteger("window", "width", 0), 700);
    EXPECT_TRUE(conf.ReadBool("window", "maximized", false));
}

TEST_F(Form1Test, DamagedConfIniGivesDefaultsForWhatCannotBeRead)
{
    std::string garbage("\x01\x02\xFF\xFE[window\x00]\n", 14);
    garbage += "[window]\nwidth=700\nheight=" + std::string(100000, '7') + "\n";
    garbage += std::string("left=\0\0\0", 8) + "\n";
    dir_.Write("conf.ini", garbage);
    auto form = Make();
    EXPECT_EQ(form->SavedBounds, QRect(0, 0, 700, 600));
    form->close();
    EXPECT_EQ(Conf().ReadInteger("window", "height", 0), 600);
}

TEST_F(Form1Test, UnwritableConfIniIsReportedOnceAndTheWindowCloses)
{
    std::filesystem::create_directory(dir_.path() + "conf.ini");  // not even root can write it
    auto form = Make();
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains(form->ConfFile())) << errors_[0].toStdString();
    form->close();  // a second close reports nothing more
    EXPECT_EQ(errors_.size(), 1);
}

TEST_F(Form1Test, PluginsFolderFillsTheListAndTheViewer)
{
    dir_.Write("plugins/ImageView.wlx", "x");
    dir_.Write("plugins/office.wlx", "x");
    dir_.Write("plugins/disabled.ini", "IMAGEVIEW.WLX\r\n");
    auto form = Make();
    QStringList names = form->Fpluginst()->PluginNames();
    names.sort();
    EXPECT_EQ(names, QStringList({QStringLiteral("ImageView.wlx"), QStringLiteral("office.wlx")}));
    EXPECT_EQ(form->Fpluginst()->UncheckedNames(), QStringList{QStringLiteral("ImageView.wlx")});
    ASSERT_EQ(form->viewer->Plugins().size(), 1);
    EXPECT_EQ(form->viewer->Plugins()[0].fileName, QString::fromStdString(dir_.path()) + QStringLiteral("plugins/office.wlx"));
    EXPECT_EQ(form->viewer->Plugins()[0].detectString, QStringLiteral("detect:office.wlx"));
    EXPECT_TRUE(form->viewer->PluginsFirst());
    EXPECT_EQ(form->viewer->PluginsParent(), form->viewer);
}

TEST_F(Form1Test, OnlyTheFirstParameterIsOpenedAndOnlyOnce)
{
    const std::string first = dir_.Write("files/wide.txt", std::string("\xFF\xFE" "a\0", 4));
    const std::string second = dir_.Write("files/other.txt", "text");
    auto form = Make({QString::fromStdString(first), QString::fromStdString(second)});
    EXPECT_TRUE(form->viewer->FileName().isEmpty());  // opened when shown
    form->show();
    EXPECT_EQ(form->viewer->FileName(), QString::fromStdString(first));
    EXPECT_EQ(form->viewer->Mode(), vmodeUnicode);
    EXPECT_TRUE(form->StartupFileOpened);
    EXPECT_EQ(form->listview->Folder(), QString::fromStdString(dir_.path()) + QStringLiteral("files"));

    form->viewer->Open(QString());
    form->hide();
    form->show();
    EXPECT_TRUE(form->viewer->FileName().isEmpty());
}

TEST_F(Form1Test, TrayHidesAndDoubleClickRestores)
{
    auto form = Make();
    form->show();
    form->totray->trigger();
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(form->trayicon->isVisible());
    } else {
        EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);  // no tray: minimized, never lost
    }
    emit form->trayicon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(form->trayicon->isVisible());
}

TEST_F(Form1Test, TerminationSignalClosesLikeTheUser)
{
    std::filesystem::create_directory(dir_.path() + "conf.ini");
    auto form = Make();
    SignalCloser closer;
    QObject::connect(&closer, &SignalCloser::TerminationRequested, form.get(), [&] { form->CloseForSignal(); });
    QSignalSpy requests(&closer, &SignalCloser::TerminationRequested);
    form->show();
    ::raise(SIGTERM);
    ASSERT_TRUE(requests.wait(2000));
    EXPECT_EQ(requests.first().first().toInt(), SIGTERM);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->LastSaveError().isEmpty());  // tried to write, failed ...
    EXPECT_TRUE(errors_.isEmpty());                 // ... and asked no one
}

TEST_F(Form1Test, TerminationSignalWritesTheSettings)
{
    auto form = Make();
    SignalCloser closer;
    QObject::connect(&closer, &SignalCloser::TerminationRequested, form.get(), [&] { form->CloseForSignal(); });
    QSignalSpy requests(&closer, &SignalCloser::TerminationRequested);
    form->show();
    form->resize(680, 520);
    ::raise(SIGINT);
    ASSERT_TRUE(requests.wait(2000));
    EXPECT_EQ(Conf().ReadInteger("window", "width", 0), 680);
}

TEST_F(Form1Test, ViewModeRow)
{
    struct Row {
        int viewMode;
        int style;
        bool thumbnails;
    } rows[] = {{0, 0, false}, {2, 2, false}, {3, 3, false}, {4, 2, true}, {9, 2, false}, {-1, 2, false}};
    for (const Row& row : rows) {
        dir_.Write("conf.ini", "[VisualSetup]\nViewMode=" + std::to_string(row.viewMode) + "\nThumbW=64\nThumbH=48\n");
        auto form = Make();
        EXPECT_EQ(form->listview->ViewStyle(), row.style) << row.viewMode;
        EXPECT_EQ(form->listview->Thumbnails(), row.thumbnails) << row.viewMode;
        EXPECT_EQ(form->listview->ThumbnailSize(), QSize(64, 48));
        form->close();
        EXPECT_EQ(Conf().ReadInteger("VisualSetup", "ViewMode", 99), row.viewMode);
    }
}

}  // namespace
