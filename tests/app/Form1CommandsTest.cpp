// The main window's view commands on the real window, offscreen: full
// screen and the saved bounds, the panels, the toolbar's slide, the About
// panel, skins, languages, the print, filter and plugin commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>

#include "ModalScript.h"
#include "TempDir.h"
#include "app/core/IniDocument.h"
#include "app/gui/AboutPanel.h"
#include "app/gui/LocalizerSeam.h"
#include "app/gui/Form1.h"
#include "app/gui/Fpluginst.h"
#include "app/gui/HtmlListBox.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SkinManager.h"
#include "app/gui/SpeedButton.h"
#include "app/gui/SplitterBar.h"
#include "i18n/gui/FreeLocalizer.h"
#include "text/core/VuViewerMsg.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

namespace fs = std::filesystem;

// Counts the moves of a widget.
class MoveCounter : public QObject {
public:
    explicit MoveCounter(QWidget* w) { w->installEventFilter(this); }
    int moves = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Move)
            ++moves;
        return false;
    }
};

class Form1Commands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetExtensionLists();
        SetViewerMessageHandler([this](const std::u16string& text, const std::u16string&) {
            messages_ << QString::fromStdU16String(text);
        });
    }
    void TearDown() override
    {
        form_.reset();
        SetViewerMessageHandler({});
        ResetExtensionLists();
        qApp->setStyleSheet(QString());
    }

    QString AppDir() const { return QString::fromStdString(dir_.path()); }

    // Copies the shipped language files or skins into the program folder.
    void Ship(const char* folder, const QString& from)
    {
        fs::create_directories(dir_.path() + folder);
        for (const auto& e : fs::directory_iterator(from.toStdString()))
            fs::copy_file(e.path(), dir_.path() + folder + "/" + e.path().filename().string());
    }

    TForm1& Make(bool show = true)
    {
        TForm1Options o;
        o.appDir = AppDir();
        o.useCommandLine = false;
        o.localizer = &seam_;
        o.reportError = [this](const QString& m) { errors_ << m; };
        form_ = std::make_unique<TForm1>(std::move(o));
        if (show) {
            form_->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        }
        return *form_;
    }

    TSpeedButton* Button(const char* name) { return form_->ToolButton(QString::fromLatin1(name)); }
    IniDocument Conf() const { return IniDocument::Parse(dir_.Read("conf.ini")); }
    int ConfInt(const char* section, const char* key) const { return Conf().ReadInteger(section, key, -1); }
    std::string ConfString(const char* section, const char* key) const { return Conf().ReadString(section, key, "?"); }
    QString Open(const std::string& name, const std::string& bytes)
    {
        const QString path = QString::fromStdString(dir_.Write(name, bytes));
        form_->viewer->Open(path);
        return path;
    }

    TempDir dir_;
    TFreeLocalizer localizer_;
    TFreeLocalizerSeam seam_{localizer_};
    std::unique_ptr<TForm1> form_;
    QStringList errors_;
    QStringList messages_;
    ModalScript script_;
};

TEST_F(Form1Commands, FullScreenCoversTheScreenAndClosingKeepsTheNormalBounds)
{
    TForm1& form = Make();
    form.setGeometry(40, 50, 700, 500);
    const QRect normal = form.geometry();
    ASSERT_EQ(form.SavedBounds.size(), QSize(700, 500));
    const QRect saved = form.SavedBounds;

    Button("showfull")->click();
    EXPECT_TRUE(form.FullScreen);
    EXPECT_TRUE(Button("showfull")->isChecked());
    EXPECT_EQ(form.geometry(), form.screen()->geometry());
    EXPECT_EQ(form.SavedBounds, saved);

    Button("showfull")->click();
    EXPECT_FALSE(form.FullScreen);
    EXPECT_FALSE(Button("showfull")->isChecked());
    EXPECT_EQ(form.geometry(), normal);

    // Closed while in full screen: the bounds written are the normal ones.
    Button("showfull")->click();
    form.close();
    EXPECT_EQ(ConfInt("window", "left"), saved.left());
    EXPECT_EQ(ConfInt("window", "top"), saved.top());
    EXPECT_EQ(ConfInt("window", "width"), 700);
    EXPECT_EQ(ConfInt("window", "height"), 500);
}

TEST_F(Form1Commands, PanelsButtonInvertsEachPanelOnItsOwn)
{
    TForm1& form = Make();
    form.sSplitter1->hide();
    Button("btnpanels")->click();
    EXPECT_TRUE(form.treeview->isHidden());
    EXPECT_TRUE(form.listview->isHidden());
    EXPECT_TRUE(form.sSplitter2->isHidden());
    EXPECT_FALSE(form.sSplitter1->isHidden());
    Button("btnpanels")->click();
    EXPECT_FALSE(form.treeview->isHidden());
    EXPECT_FALSE(form.listview->isHidden());
    EXPECT_TRUE(form.sSplitter1->isHidden());
}

TEST_F(Form1Commands, ToolbarSlidesFortySixPixelsInTwentyThreeStepsOnceAtATime)
{
    TForm1& form = Make();
    const int top = form.btnprew->y();
    MoveCounter steps(form.btnprew);
    // A second slide asked for while one runs is ignored.
    QTimer::singleShot(0, &form, [&form] { form.btnshowhide->click(); });
    form.btnshowhide->click();
    EXPECT_EQ(steps.moves, 23);
    EXPECT_FALSE(form.ToolbarShown);
    EXPECT_TRUE(form.ToolbarIdle);
    for (QWidget* w : {static_cast<QWidget*>(form.btnprew), static_cast<QWidget*>(form.btnnext),
                       static_cast<QWidget*>(form.leftpanel), static_cast<QWidget*>(form.rightpanel)})
        EXPECT_EQ(w->y(), top - 46) << w->objectName().toStdString();

    form.SlideToolbarOnce();  // the options dialog's slide is the same one
    EXPECT_TRUE(form.ToolbarShown);
    EXPECT_EQ(form.btnnext->y(), top);
}

TEST_F(Form1Commands, AutomaticToolbarFollowsTheCursor)
{
    TForm1& form = Make();
    form.automenu = true;
    const QPoint zone(form.leftpanel->x() + 3, 5);
    const QPoint below(form.leftpanel->x() + 3, form.btnnext->height());
    const QPoint right(form.rightpanel->x() + form.rightpanel->width() + 1, 5);

    form.showhideM(zone);  // shown in its zone: stays
    EXPECT_TRUE(form.ToolbarShown);
    form.showhideM(below);
    EXPECT_FALSE(form.ToolbarShown);
    form.showhideM(right);  // hidden outside the zone: stays hidden
    EXPECT_FALSE(form.ToolbarShown);
    EXPECT_EQ(form.btnnext->y(), -46);
    form.showhideM(zone);
    EXPECT_TRUE(form.ToolbarShown);
    EXPECT_EQ(form.btnnext->y(), 0);
}

TEST_F(Form1Commands, AboutPanelIsCentredAndClosedByItsButton)
{
    TForm1& form = Make();
    TAboutPanel* about = form.AboutPanel();
    // Without a language file the help list says there is none.
    ASSERT_EQ(about->helpedt->Items().size(), 4);
    EXPECT_TRUE(about->helpedt->Items().last().contains(QStringLiteral("Help not found")));

    Button("btnabout")->click();
    ASSERT_TRUE(about->isVisible());
    const auto centred = [&] {
        return about->pos() == QPoint(form.width() / 2 - about->width() / 2, form.height() / 2 - about->height() / 2);
    };
    EXPECT_TRUE(centred());
    form.resize(form.width() + 120, form.height() + 60);
    EXPECT_TRUE(centred());
    about->sSpeedButton1->click();
    EXPECT_FALSE(about->isVisible());
    // The title's hint is the find command's text, never a tool tip.
    EXPECT_TRUE(about->sLabelFX1->graphicsEffect() != nullptr);
    EXPECT_EQ(about->sLabelFX1->font().pixelSize(), 64);
}

TEST_F(Form1Commands, LanguageChangesAtRunTimeAndIsRemembered)
{
    Ship("Languages", QStringLiteral(PEEKWELL_LANGUAGES));
    TForm1& form = Make();
    // English from the start (conf.ini's default).
    EXPECT_EQ(Button("btnopen")->toolTip(), QStringLiteral("Open file"));
    EXPECT_EQ(form.N3->text(), QStringLiteral("Print preview"));
    TAboutPanel* about = form.AboutPanel();
    EXPECT_TRUE(about->helpedt->Items().first().contains(QStringLiteral("Keys")));
    EXPECT_GT(about->helpedt->Items().size(), 10);
    EXPECT_TRUE(about->sWebLabel1->text().contains(QStringLiteral("Home page")));
    EXPECT_TRUE(about->sWebLabel1->text().contains(QLatin1String(TAboutPanel::kHomePage)));

    const QString russian = AppDir() + QStringLiteral("Languages/russian.lng");
    script_.On<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->directory().absolutePath() + "/", AppDir() + "Languages/");
        EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("LNG (*.lng)")});
        d->selectFile(russian);
        static_cast<QDialog*>(d)->accept();
    });
    form.N8->trigger();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(Button("btnopen")->toolTip(), QStringLiteral("Открыть файл"));
    EXPECT_EQ(form.N3->text(), QStringLiteral("Предварительный просмотр"));
    EXPECT_TRUE(about->helpedt->Items().first().contains(QStringLiteral("Клавиши")));
    EXPECT_EQ(form.LanguageFile, russian);

    // A cancelled dialog changes nothing.
    script_.On<QFileDialog>([](QFileDialog* d) { d->reject(); });
    form.N8->trigger();
    EXPECT_EQ(form.LanguageFile, russian);

    form.close();
    EXPECT_EQ(ConfString("language", "file"), "{app}Languages/russian.lng");
}

TEST_F(Form1Commands, SkinsSwitchAndTurnOff)
{
    Ship("skins", QStringLiteral(PEEKWELL_SKINS));
    TForm1& form = Make();
    EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("Office12Style")));

    script_.On<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->directory().absolutePath() + "/", AppDir() + "skins/");
        d->selectFile(AppDir() + QStringLiteral("skins/Graphite.asz"));
        static_cast<QDialog*>(d)->accept();
    });
    form.N7->trigger();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(form.skinManager->SkinName(), QStringLiteral("Graphite"));
    EXPECT_EQ(form.skinManager->SkinDirectory(), AppDir() + QStringLiteral("skins"));
    EXPECT_TRUE(qApp->styleSheet().startsWith(QStringLiteral("/* Graphite")));

    form.N10->trigger();  // skinned look off: the desktop's own
    EXPECT_FALSE(form.N10->isChecked());
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    form.N10->trigger();
    EXPECT_TRUE(qApp->styleSheet().startsWith(QStringLiteral("/* Graphite")));

    form.close();
    EXPECT_EQ(ConfString("skin", "name"), "Graphite");
    EXPECT_EQ(ConfString("skin", "DIR"), "{app}skins");
}

// Every shipped skin is a style sheet Qt reads without a complaint.
TEST_F(Form1Commands, ShippedSkinsParse)
{
    Ship("skins", QStringLiteral(PEEKWELL_SKINS));
    TForm1& form = Make();
    static QStringList complaints;
    complaints.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
        if (m.contains(QStringLiteral("style"), Qt::CaseInsensitive))
            complaints << m;
    });
    int skins = 0;
    for (const auto& e : fs::directory_iterator(dir_.path() + "skins")) {
        form.ChangeSkin(QString::fromStdString(e.path().string()));
        EXPECT_FALSE(form.skinManager->AppliedStyleSheet().isEmpty()) << e.path();
        form.repaint();
        form.options->ensurePolished();
        ++skins;
    }
    qInstallMessageHandler(previous);
    EXPECT_GE(skins, 3);
    EXPECT_TRUE(complaints.isEmpty()) << complaints.join('\n').toStdString();
}

TEST_F(Form1Commands, PrintMenuRunsTheViewersPrinting)
{
    TForm1& form = Make();
    ASSERT_EQ(form.printmenu->actions(), (QList<QAction*>{form.N1, form.N3, form.N2}));
    int prints = 0, previews = 0, setups = 0;
    TVuPrintDialogs dialogs;
    dialogs.print = [&](QPrinter&, int, QWidget*) { return ++prints, false; };
    dialogs.pageSetup = [&](QPrinter&, QWidget*) { return ++setups, false; };
    dialogs.preview = [&](QPrinter&, const std::function<void(QPrinter&)>&, QWidget*) { ++previews; };
    form.viewer->SetPrintDialogs(std::move(dialogs));
    Open("a.txt", "some text\n");
    form.N1->trigger();
    form.N3->trigger();
    form.N2->trigger();
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(setups, 1);
}

TEST_F(Form1Commands, ImageCommandsEnableSavingOnlyForBitmapsAndJpegs)
{
    TForm1& form = Make();
    const QStringList names = {"N13", "N14", "N15", "N16", "N17", "N18", "N19", "N20"};
    ASSERT_EQ(form.filtermenu->actions().size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(form.filtermenu->actions()[i]->objectName(), names[i]);
        EXPECT_FALSE(form.filtermenu->actions()[i]->icon().isNull()) << names[i].toStdString();
    }

    const struct {
        const char* name;
        bool saves;
    } files[] = {{"a.png", false}, {"b.JPG", true}, {"c.jpeg", true}, {"d.bmp", true}, {"e.txt", false}};
    for (const auto& f : files) {
        Button("btnsave")->setEnabled(false);
        Open(f.name, "not a picture");
        form.N13->trigger();
        EXPECT_EQ(Button("btnsave")->isEnabled(), f.saves) << f.name;
        Button("btn90")->click();  // no picture: the viewer refuses, nothing breaks
    }
}

TEST_F(Form1Commands, TextButtonsInvertTheViewersSettings)
{
    TForm1& form = Make();
    const struct {
        const char* button;
        std::function<bool()> setting;
    } rows[] = {
        {"btnwrap", [&] { return form.viewer->TextWrap(); }},
        {"btnnonprintable", [&] { return form.viewer->TextNonPrintable(); }},
        {"specOEM", [&] { return form.viewer->TextOemSpecial(); }},
    };
    for (const auto& r : rows) {
        const bool before = r.setting();
        Button(r.button)->click();
        EXPECT_NE(r.setting(), before) << r.button;
        Button(r.button)->click();
        EXPECT_EQ(r.setting(), before) << r.button;
    }
    Open("a.txt", "zoom me\n");
    const QFont before = form.viewer->TextFont();
    Button("btnzoomin")->click();
    EXPECT_GT(QFontInfo(form.viewer->TextFont()).pixelSize(), QFontInfo(before).pixelSize());
    Button("btnzoomout")->click();
    EXPECT_EQ(QFontInfo(form.viewer->TextFont()).pixelSize(), QFontInfo(before).pixelSize());
}

TEST_F(Form1Commands, PluginManagerOkWritesTheDisabledListAndReloads)
{
    fs::create_directories(dir_.path() + "plugins");
    dir_.Write("plugins/a.wlx", "");
    dir_.Write("plugins/b.wlx", "");
    TForm1& form = Make();
    ASSERT_EQ(form.viewer->Plugins().size(), 2);

    script_.On<TFpluginst>([](TFpluginst* d) {
        for (int i = 0; i < d->pluginlist->count(); ++i)
            if (d->pluginlist->item(i)->text() == QStringLiteral("a.wlx"))
                d->pluginlist->item(i)->setCheckState(Qt::Unchecked);
        d->btnokplug->click();
    });
    form.N9->trigger();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(dir_.Read("plugins/disabled.ini"), "a.wlx\r\n");
    ASSERT_EQ(form.viewer->Plugins().size(), 1);
    EXPECT_TRUE(form.viewer->Plugins()[0].fileName.endsWith(QStringLiteral("b.wlx")));

    // Cancel keeps the marks but commits nothing.
    script_.On<TFpluginst>([](TFpluginst* d) {
        for (int i = 0; i < d->pluginlist->count(); ++i)
            d->pluginlist->item(i)->setCheckState(Qt::Checked);
        d->btncancelplug->click();
    });
    form.N9->trigger();
    EXPECT_EQ(dir_.Read("plugins/disabled.ini"), "a.wlx\r\n");
    EXPECT_EQ(form.Fpluginst()->UncheckedNames(), QStringList());
}

}  // namespace
