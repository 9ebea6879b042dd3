// The options dialog driven as a user drives it, through the settings item
// of the options menu: what confirming it unchanged leaves, the pause box
// and the thumbnail size edits, the extension lists as typed, the file
// managers' entry under a temporary data folder, a thumbnail size that is
// not a number, the font and colours, and the language file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "TempDir.h"
#include "app/core/ShellIntegration.h"
#include "app/gui/AppSeams.h"
#include "app/gui/ColorButton.h"
#include "app/gui/Form1.h"
#include "app/gui/FrmOptions.h"
#include "app/gui/RadioGroup.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SpeedButton.h"
#include "i18n/gui/FreeLocalizer.h"
#include "viewer/core/VuDetect.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

namespace fs = std::filesystem;

// The first modal dialog of type T, once it is up.
template <class T>
T* ModalDialog()
{
    if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget()))
        return d;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<T*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

// A click where a user clicks a check or radio button: on its mark (a
// button takes clicks only on its mark and its text, not on the free space
// to the right of them).
void ClickMark(QAbstractButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(7, b->height() / 2));
}

class FrmOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetExtensionLists();
        const char* xdg = std::getenv("XDG_DATA_HOME");
        hadXdg_ = xdg != nullptr;
        if (xdg)
            savedXdg_ = xdg;
        ::setenv("XDG_DATA_HOME", dataHome().c_str(), 1);
    }
    void TearDown() override
    {
        ResetExtensionLists();
        qApp->setStyleSheet(QString());
        if (hadXdg_)
            ::setenv("XDG_DATA_HOME", savedXdg_.c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }

    std::string dataHome() const { return data_.path().substr(0, data_.path().size() - 1); }

    std::unique_ptr<TForm1> Make(const std::string& conf = {}, TAppLocalizer* localizer = nullptr)
    {
        if (!conf.empty())
            dir_.Write("conf.ini", conf);
        TForm1Options o;
        o.appDir = QString::fromStdString(dir_.path());
        o.useCommandLine = false;
        o.media = &media_;
        o.localizer = localizer;
        o.reportError = [this](const QString& message) { errors_ << message; };
        return std::make_unique<TForm1>(std::move(o));
    }

    // Opens the dialog through the menu item, lets `edit` change it, and
    // closes it with OK or Cancel.
    void RunOptions(TForm1& form, const std::function<void(TFrmOptions&)>& edit, bool ok = true)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            TFrmOptions* dlg = ModalDialog<TFrmOptions>();
            ASSERT_NE(dlg, nullptr);
            ran = true;
            if (edit)
                edit(*dlg);
            QTest::mouseClick(ok ? dlg->optaplly : dlg->optcancel, Qt::LeftButton);
        });
        form.N11->trigger();
        EXPECT_TRUE(ran);
    }

    std::string SettingsText(const TForm1& form) const
    {
        IniDocument ini = IniDocument::Parse("");
        WriteAppSettings(ini, dir_.path(), form.CollectSettings());
        return ini.Text();
    }

    TempDir dir_;
    TempDir data_;
    TNoMediaLibrary media_;
    QStringList errors_;
    bool hadXdg_ = false;
    std::string savedXdg_;
};

// An installed font family (the font box lists only those).
QString InstalledFamily()
{
    QFontComboBox box;
    return box.count() > 0 ? box.itemText(box.count() / 2) : QString();
}

TEST_F(FrmOptionsTest, ConfirmingUnchangedKeepsEverySettingAndSlidesTheToolbarWithoutAutomaticMenu)
{
    const std::string family = InstalledFamily().toStdString();
    struct Case {
        const char* what;
        std::string conf;
        bool slides;
    };
    const Case cases[] = {
        {"first start", "", true},
        {"everything changed from the defaults",
         "[window]\nautomenu=1\nmousefileexplorer=0\n[options]\nLNKOpen=0\nmediamode=2\n[media]\nlmbpause=0\n"
         "[ext]\ntext=TXT,log\nimages=png\nmedia=\nweb=htm\nrtf=rtf\n"
         "[VisualSetup]\ntextfont=" + family + "\ntextfontsize=13\ntextfontcolor=255\ntextfontB=1\ntextfontI=1\n"
         "textfontU=1\ntextcolor=4278190088\ntextcolorhex=65280\ntextcolorhex2=16711935\ntextcolorhex3=1\n"
         "textcolorgutter=4278190095\nViewMode=4\nThumbW=120\nThumbH=90\n",
         false},
        {"values outside the dialog's choices", "[options]\nmediamode=9\n[VisualSetup]\nViewMode=7\ntextfont=No Such Font\n",
         true},
        {"small icons", "[VisualSetup]\nViewMode=1\n", true},
        {"report", "[VisualSetup]\nViewMode=3\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetExtensionLists();
        auto form = Make(c.conf);
        const std::string before = SettingsText(*form);
        const int toolbarTop = form->btnprew->y();
        RunOptions(*form, nullptr);
        EXPECT_EQ(SettingsText(*form), before);
        EXPECT_EQ(form->ToolbarShown, !c.slides);
        EXPECT_EQ(form->btnprew->y(), toolbarTop - (c.slides ? 46 : 0));
        EXPECT_EQ(form->leftpanel->y(), c.slides ? -46 : 0);
        EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
        if (c.slides) {
            // A second time brings the toolbar back.
            RunOptions(*form, nullptr);
            EXPECT_TRUE(form->ToolbarShown);
            EXPECT_EQ(form->btnprew->y(), toolbarTop);
        }
    }
}

TEST_F(FrmOptionsTest, PauseBoxOnlyForTheBuiltInPlayerAndSizeEditsOnlyForThumbnails)
{
    auto form = Make();
    RunOptions(
        *form,
        [](TFrmOptions& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Peekwell"));
            EXPECT_EQ(dlg.MViewer->ItemIndex(), 0);
            EXPECT_TRUE(dlg.cbpause->isHidden());
            struct Step {
                int item;
                bool pauseShown;
            };
            for (const Step s : {Step{2, true}, Step{0, false}, Step{2, true}, Step{1, false}}) {
                ClickMark(dlg.MViewer->Item(s.item));
                EXPECT_EQ(dlg.MViewer->ItemIndex(), s.item);
                EXPECT_EQ(dlg.cbpause->isVisible(), s.pauseShown) << s.item;
            }

            EXPECT_TRUE(dlg.vmicons->isChecked());
            EXPECT_TRUE(dlg.vmw->isHidden());
            QRadioButton* order[] = {dlg.vmthumbs, dlg.vmlist, dlg.vmthumbs, dlg.vmrepport, dlg.vmSmallIcons};
            const int pending[] = {4, 2, 4, 3, 1};
            for (int i = 0; i < 5; ++i) {
                ClickMark(order[i]);
                EXPECT_EQ(dlg.PendingView, pending[i]);
                for (QWidget* w : {static_cast<QWidget*>(dlg.vmw), static_cast<QWidget*>(dlg.vmx),
                                   static_cast<QWidget*>(dlg.vmh)})
                    EXPECT_EQ(w->isVisible(), pending[i] == 4) << w->objectName().toStdString();
            }
        },
        false);
    // Cancel applies nothing.
    EXPECT_EQ(form->mediamode, 0);
    EXPECT_EQ(form->ViewMode, 0);
    EXPECT_TRUE(form->ToolbarShown);
}

TEST_F(FrmOptionsTest, TextListIsTakenAsTypedSoCapitalsMatchNoFile)
{
    const std::string file = dir_.Write("notes.txt", std::string("\0\1\2\3binary", 10));
    TVuDetectSettings detect;
    detect.ModeUndetected = vmodeBinary;
    struct Case {
        const char* typed;
        bool text;
    };
    for (const Case c : {Case{"TXT,LOG", false}, Case{"txt,log", true}}) {
        auto form = Make();
        RunOptions(*form, [&](TFrmOptions& dlg) { dlg.edtTXT->setText(QString::fromLatin1(c.typed)); });
        EXPECT_EQ(ExtTextList, c.typed);
        EXPECT_EQ(ExtensionInList("notes.txt", ExtTextList), c.text) << c.typed;
        TVuDetectResult result;
        DetectMode(file, detect, nullptr, result);
        EXPECT_EQ(result.Mode, c.text ? vmodeText : vmodeBinary) << c.typed;
    }
}

TEST_F(FrmOptionsTest, IntegrationCheckedWritesTheEntriesForThisProgramUncheckedRemovesExactlyThem)
{
    const std::string exe = QCoreApplication::applicationFilePath().toStdString();
    data_.Write("applications/other.desktop", "[Desktop Entry]\n");
    auto form = Make();

    RunOptions(*form, [](TFrmOptions& dlg) {
        EXPECT_FALSE(dlg.integr->isChecked());
        dlg.integr->setChecked(true);
    });
    ASSERT_TRUE(ShellIntegrationExists(dataHome()));
    const std::vector<std::string> entries = ReadShellManifest(dataHome());
    EXPECT_EQ(entries.size(), 4u);
    for (const std::string& e : entries)
        EXPECT_NE(data_.Read(e).find(exe), std::string::npos) << e;

    // Confirming unchanged writes the entries again: a lost one comes back.
    fs::remove(data_.path() + entries[0]);
    RunOptions(*form, [](TFrmOptions& dlg) { EXPECT_TRUE(dlg.integr->isChecked()); });
    EXPECT_TRUE(fs::exists(data_.path() + entries[0]));

    RunOptions(*form, [](TFrmOptions& dlg) { dlg.integr->setChecked(false); });
    EXPECT_FALSE(ShellIntegrationExists(dataHome()));
    for (const std::string& e : entries)
        EXPECT_FALSE(fs::exists(data_.path() + e)) << e;
    EXPECT_TRUE(fs::exists(data_.path() + "applications/other.desktop"));
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

TEST_F(FrmOptionsTest, AnIntegrationThatCannotBeWrittenIsReportedAndTheRestStillApplies)
{
    data_.Write("applications", "a file where the folder should be");
    auto form = Make();
    RunOptions(*form, [](TFrmOptions& dlg) {
        dlg.integr->setChecked(true);
        dlg.MViewer->SetItemIndex(2);
        dlg.vmrepport->setChecked(true);
    });
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("applications"))) << errors_[0].toStdString();
    EXPECT_EQ(form->mediamode, 2);
    EXPECT_EQ(form->ViewMode, 3);
}

TEST_F(FrmOptionsTest, ThumbnailSizeThatIsNotANumberIsReportedAndKeepsWhatWasApplied)
{
    struct Case {
        const char* w;
        const char* h;
        bool ok;
    };
    const Case cases[] = {{"12a", "80", false}, {"100", "", false}, {"1e2", "50", false}, {" 64 ", "48", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.w);
        errors_.clear();
        auto form = Make("[VisualSetup]\nViewMode=2\nThumbW=100\nThumbH=100\n");
        RunOptions(*form, [&](TFrmOptions& dlg) {
            dlg.edtTXT->setText(QStringLiteral("abc"));
            dlg.lnkopen->setChecked(false);
            ClickMark(dlg.vmthumbs);
            dlg.vmw->setText(QString::fromLatin1(c.w));
            dlg.vmh->setText(QString::fromLatin1(c.h));
        });
        // What comes before the list's look is applied either way.
        EXPECT_EQ(ExtTextList, "abc");
        EXPECT_FALSE(form->LNKOpen);
        if (c.ok) {
            EXPECT_TRUE(errors_.isEmpty());
            EXPECT_EQ(form->ViewMode, 4);
            EXPECT_TRUE(form->listview->Thumbnails());
            EXPECT_EQ(form->listview->ThumbnailSize(), QSize(64, 48));
        } else {
            ASSERT_EQ(errors_.size(), 1);
            EXPECT_TRUE(errors_[0].contains(QStringLiteral("not one"))) << errors_[0].toStdString();
            EXPECT_EQ(form->ViewMode, 2);
            EXPECT_FALSE(form->listview->Thumbnails());
            EXPECT_EQ(form->listview->ViewStyle(), TShellListView::vsList);
            EXPECT_EQ(form->listview->ThumbnailSize(), QSize(100, 100));
        }
    }
}

TEST_F(FrmOptionsTest, FontAndColoursChosenInTheDialogReachTheTextView)
{
    const QString family = InstalledFamily();
    auto form = Make();
    // The colour dialog a colour button opens, answered with `colour`.
    const auto answerColourDialog = [](QColor colour) {
        QTimer::singleShot(0, [colour] {
            QColorDialog* d = ModalDialog<QColorDialog>();
            ASSERT_NE(d, nullptr);
            d->setCurrentColor(colour);
            d->accept();
        });
    };
    RunOptions(*form, [&](TFrmOptions& dlg) {
        dlg.setuppages->setCurrentWidget(dlg.TSFonts);
        dlg.fntfontselect->setCurrentIndex(dlg.fntfontselect->findText(family));
        dlg.fntsize->setValue(17);
        dlg.cbB->setChecked(true);
        dlg.cbU->setChecked(true);
        answerColourDialog(QColor(0x11, 0x22, 0x33));
        QTest::mouseClick(dlg.cs1, Qt::LeftButton);
        EXPECT_EQ(dlg.cs1->Color(), 0x332211u);
        answerColourDialog(QColor(0xAA, 0, 0));
        QTest::mouseClick(dlg.csmain, Qt::LeftButton);
        dlg.cs5->SetColor(0x00FF00);
    });
    const QFont font = form->viewer->TextFont();
    EXPECT_EQ(font.family(), family);
    EXPECT_EQ(font.pointSize(), 17);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(form->viewer->TextColor(), 0x332211u);
    EXPECT_EQ(form->viewer->TextFontColor(), 0x0000AAu);
    EXPECT_EQ(form->viewer->TextColorGutter(), 0x00FF00u);
    EXPECT_EQ(form->viewer->TextColorHex(), clNavy);  // untouched

    // A cancelled colour dialog and a cancelled options dialog change nothing.
    RunOptions(
        *form,
        [&](TFrmOptions& dlg) {
            QTimer::singleShot(0, [] { ModalDialog<QColorDialog>()->reject(); });
            QTest::mouseClick(dlg.cs1, Qt::LeftButton);
            EXPECT_EQ(dlg.cs1->Color(), 0x332211u);
            dlg.cs2->SetColor(0x123456);
            dlg.fntsize->setValue(5);
        },
        false);
    EXPECT_EQ(form->viewer->TextColorHex(), clNavy);
    EXPECT_EQ(form->viewer->TextFont().pointSize(), 17);
}

// The localizer as the main window sees it, with only the one-form
// translation passed on: what the dialog shows translated, it was given
// while it was filled.
class TOneFormLocalizer final : public TAppLocalizer {
public:
    explicit TOneFormLocalizer(TFreeLocalizer& l) : l_(l) {}
    void SetAutoTranslate(bool) override {}
    bool LoadLanguage(const QString&) override { return false; }
    void TranslateAllForms() override {}
    void TranslateComponent(QObject* component) override { l_.TranslateComponent(component); }

private:
    TFreeLocalizer& l_;
};

TEST_F(FrmOptionsTest, DesignedInRussianAndTranslatedWhileFilled)
{
    TFreeLocalizer localizer;
    TOneFormLocalizer seam(localizer);
    auto form = Make("[media]\nlmbpause=1\n[options]\nmediamode=2\n", &seam);
    RunOptions(
        *form,
        [](TFrmOptions& dlg) {
            EXPECT_EQ(dlg.integr->text(), QString::fromUtf8("Интеграция в Windows Explorer"));
            EXPECT_EQ(dlg.setuppages->tabText(0), QString::fromUtf8("Главные настройки"));
            EXPECT_EQ(dlg.MViewer->Item(2)->text(), QString::fromUtf8("Встроеный просмотрщик"));
            EXPECT_EQ(dlg.optaplly->text(), QString::fromUtf8("Применить"));
        },
        false);

    ASSERT_TRUE(localizer.LoadLanguage(QStringLiteral(PEEKWELL_LANGUAGES "english.lng")));
    RunOptions(
        *form,
        [](TFrmOptions& dlg) {
            EXPECT_EQ(dlg.setuppages->tabText(0), QStringLiteral("Main settings"));
            EXPECT_EQ(dlg.setuppages->tabText(1), QStringLiteral("Font"));
            EXPECT_EQ(dlg.MViewer->Item(2)->text(), QStringLiteral("Built-in player"));
            EXPECT_EQ(dlg.fntColor1->text(), QStringLiteral("Text background"));
            EXPECT_EQ(dlg.fntColor5->text(), QStringLiteral("Gutter on the left"));
            EXPECT_EQ(dlg.optaplly->text(), QStringLiteral("Apply"));
            EXPECT_TRUE(dlg.cbpause->isChecked());
            EXPECT_TRUE(dlg.cbpause->isVisible());
        },
        false);
}

}  // namespace
