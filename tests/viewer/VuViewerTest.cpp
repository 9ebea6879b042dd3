// The viewer with its text view: opening, messages, events, mode changes,
// the published defaults, settings read back from the text view, the
// selection accessors and printing.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "binhex/gui/VuBinHex.h"
#include "text/core/VuViewerMsg.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ResetExtensionLists();
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

TEST_F(ViewerTest, OpenRunsTheDetectionLoadsTheTextViewAndFiresTheEvents)
{
    TVuViewer viewer;
    QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
    QSignalSpy unloads(&viewer, &TVuViewer::OnFileUnload);

    const QString text = Make(QStringLiteral("notes.txt"), "plain text\n");
    ASSERT_TRUE(viewer.Open(text));
    EXPECT_EQ(viewer.FileName(), text);
    EXPECT_EQ(viewer.FileSize(), 11);
    EXPECT_EQ(viewer.Mode(), vmodeText);
    EXPECT_EQ(viewer.TextView()->FileName(), text);
    EXPECT_EQ(viewer.TextView()->Model().SourceKind(), vsrcFile);
    EXPECT_FALSE(viewer.TextView()->isHidden());
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(unloads.count(), 0);  // nothing was loaded before

    // The loaded name again: nothing happens, nothing is re-read.
    const int64_t reads = viewer.TextView()->Model().ReadCount();
    ASSERT_TRUE(viewer.Open(text));
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(unloads.count(), 0);
    EXPECT_EQ(viewer.TextView()->Model().ReadCount(), reads);

    const QString unicode = Make(QStringLiteral("wide.bin"), QByteArray("\xFF\xFE" "a\0", 4));
    ASSERT_TRUE(viewer.Open(unicode));
    EXPECT_EQ(viewer.Mode(), vmodeUnicode);
    EXPECT_EQ(viewer.TextView()->Mode(), vbmodeUnicode);
    EXPECT_EQ(unloads.count(), 1);
    EXPECT_EQ(loads.count(), 2);

    ASSERT_TRUE(viewer.Open(QString()));  // an empty name unloads
    EXPECT_TRUE(viewer.FileName().isEmpty());
    EXPECT_TRUE(viewer.TextView()->isHidden());
    EXPECT_FALSE(viewer.TextView()->Model().HasSource());
    EXPECT_EQ(unloads.count(), 2);
    EXPECT_EQ(loads.count(), 2);
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

TEST_F(ViewerTest, MissingFileFolderAndUnreadableFileLeaveNoFile)
{
    TVuViewer viewer;
    QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
    QSignalSpy unloads(&viewer, &TVuViewer::OnFileUnload);
    const QString shown = Make(QStringLiteral("shown.txt"), "text");
    ASSERT_TRUE(viewer.Open(shown));

    const QString missing = dir_.filePath(QStringLiteral("gone.txt"));
    EXPECT_FALSE(viewer.Open(missing));
    EXPECT_EQ(unloads.count(), 1);  // the shown file was let go first
    EXPECT_FALSE(viewer.Open(dir_.path()));
    const QString fifo = dir_.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(viewer.Open(fifo));

    EXPECT_TRUE(viewer.FileName().isEmpty());
    EXPECT_TRUE(viewer.TextView()->isHidden());
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(unloads.count(), 1);  // no file was loaded at the later opens
    ASSERT_EQ(messages_.size(), 3);
    EXPECT_EQ(messages_[0], QStringLiteral("Viewer: File not found: ") + missing);
    EXPECT_EQ(messages_[1], QStringLiteral("Viewer: File not found: ") + dir_.path());
    EXPECT_EQ(messages_[2], QStringLiteral("Viewer: Cannot open file: ") + fifo);
}

TEST_F(ViewerTest, ChoosingUnicodeAgainShowsUnicodeHex)
{
    TVuViewer viewer;
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "some text")));
    QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
    QSignalSpy unloads(&viewer, &TVuViewer::OnFileUnload);

    const TVuBinHexMode expected[] = {vbmodeUnicode, vbmodeUHex, vbmodeUnicode};
    for (TVuBinHexMode mode : expected) {
        viewer.SetMode(vmodeUnicode);
        EXPECT_EQ(viewer.TextView()->Mode(), mode);
        EXPECT_EQ(viewer.TextView()->Model().SourceKind(), vsrcFile);
    }
    // Each choice is a reload in the new mode.
    EXPECT_EQ(loads.count(), 3);
    EXPECT_EQ(unloads.count(), 3);

    viewer.SetMode(vmodeHex);
    EXPECT_EQ(viewer.TextView()->Mode(), vbmodeHex);
    viewer.SetMode(vmodeUnicode);  // from hex it is Unicode text again
    EXPECT_EQ(viewer.TextView()->Mode(), vbmodeUnicode);
}

TEST_F(ViewerTest, SetModeWithoutAFileOnlyStoresTheMode)
{
    TVuViewer viewer;
    QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
    QSignalSpy unloads(&viewer, &TVuViewer::OnFileUnload);
    viewer.SetMode(vmodeHex);
    EXPECT_EQ(viewer.Mode(), vmodeHex);
    EXPECT_EQ(loads.count() + unloads.count(), 0);
    EXPECT_TRUE(viewer.TextView()->isHidden());
}

TEST_F(ViewerTest, ModeDetectOffKeepsTheMode)
{
    TVuViewer viewer;
    viewer.SetModeDetect(false);
    viewer.SetMode(vmodeHex);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    EXPECT_EQ(viewer.Mode(), vmodeHex);
    EXPECT_EQ(viewer.TextView()->Mode(), vbmodeHex);
}

TEST_F(ViewerTest, ModeDetectOffInPluginModeLoadsNothingButFiresOnFileLoad)
{
    TVuViewer viewer;
    viewer.SetModeDetect(false);
    viewer.SetMode(vmodeWLX);
    QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(viewer.Mode(), vmodeWLX);
    EXPECT_TRUE(viewer.TextView()->isHidden());
    EXPECT_FALSE(viewer.TextView()->Model().HasSource());
    EXPECT_TRUE(viewer.PluginName().isEmpty());
}

// Until their sub-views are there, rich text, media, web and plugin modes
// leave the pane empty; a text mode chosen by hand shows any file.
TEST_F(ViewerTest, ModesWithoutTheirSubViewLeaveThePaneEmpty)
{
    struct Row {
        const char* name;
        TVuViewerMode mode;
    };
    const Row rows[] = {
        {"letter.rtf", vmodeRTF}, {"photo.png", vmodeMedia}, {"song.mp3", vmodeMedia}, {"page.html", vmodeWeb}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TVuViewer viewer;
        QSignalSpy loads(&viewer, &TVuViewer::OnFileLoad);
        ASSERT_TRUE(viewer.Open(Make(QString::fromLatin1(row.name), "{\\rtf1 x}")));
        EXPECT_EQ(viewer.Mode(), row.mode);
        EXPECT_EQ(loads.count(), 1);
        EXPECT_TRUE(viewer.TextView()->isHidden());
        EXPECT_FALSE(viewer.TextView()->Model().HasSource());

        viewer.SetMode(vmodeBinary);
        EXPECT_FALSE(viewer.TextView()->isHidden());
        EXPECT_EQ(viewer.TextView()->Mode(), vbmodeBinary);
        EXPECT_EQ(viewer.TextView()->Model().FileSize(), 9);
    }
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ViewerTest, SelectedTextAccessorsAssertTheirModes)
{
    TVuViewer viewer;
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    EXPECT_EQ(viewer.TextSelText(), std::string());
    try {
        (void)viewer.TextSelTextW();
        FAIL() << "no assertion";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "TextSelTextW is called in non-Unicode mode");
    }
    viewer.SetMode(vmodeUnicode);
    EXPECT_TRUE(viewer.TextSelTextW().isEmpty());
    try {
        (void)viewer.TextSelText();
        FAIL() << "no assertion";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "TextSelText is called in Unicode mode");
    }
}

TEST_F(ViewerTest, ResetSelectionClearsTheTextViewSelection)
{
    TVuViewer viewer;
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "some text here")));
    ASSERT_TRUE(viewer.TextView()->Model().SetSelection(2, 5));
    viewer.ResetSelection();
    EXPECT_EQ(viewer.TextView()->Model().SelLength(), 0);
}

// A new selection is copied with TextAutoCopy, except in a hex dump: there
// the clipboard would get the raw bytes, not the digits the user sees.
TEST_F(ViewerTest, NewSelectionsAreCopiedButNeverInHex)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    TVuViewer viewer;
    viewer.SetTextAutoCopy(true);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "copy these bytes")));

    clipboard->setText(QStringLiteral("before"));
    viewer.TextView()->SetSelection(5, 5, false, true);
    EXPECT_EQ(clipboard->text(), QStringLiteral("these"));
    EXPECT_EQ(viewer.TextSelText(), "these");

    viewer.SetMode(vmodeHex);
    clipboard->setText(QStringLiteral("before"));
    viewer.TextView()->SetSelection(0, 4, false, true);
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));

    viewer.SetMode(vmodeText);
    viewer.SetTextAutoCopy(false);
    viewer.TextView()->SetSelection(0, 4, false, true);
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));
}

TEST_F(ViewerTest, ZoomStepsTheTextFontAndReportsIt)
{
    TVuViewer viewer;
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPointSize(10);
    viewer.SetTextFont(font);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    QSignalSpy options(&viewer, &TVuViewer::OnOptionsChange);
    viewer.ZoomStep(true);
    EXPECT_GT(viewer.TextFont().pointSize(), 10);
    EXPECT_EQ(options.count(), 1);
    viewer.ZoomStep(false);
    EXPECT_EQ(viewer.TextFont().pointSize(), 10);
}

// Every published property with its default, as the settings and the
// language files reach them by name.
TEST_F(ViewerTest, PublishedDefaults)
{
    TVuViewer viewer;
    const std::pair<const char*, QVariant> rows[] = {
        {"Mode", QVariant::fromValue(vmodeText)},
        {"ModeDetect", true},
        {"ModeUndetected", QVariant::fromValue(vmodeText)},
        {"TextDetect", true},
        {"TextDetectOEM", true},
        {"TextDetectSize", 2u},
        {"TextDetectLimit", 0u},
        {"MediaMode", QVariant::fromValue(vmmodeWMP64)},
        {"MediaFull", false},
        {"MediaAutoPlay", true},
        {"MediaPlayCount", 1},
        {"MediaPlaylistPause", 500},
        {"MediaFit", true},
        {"MediaFitOnlyBig", true},
        {"MediaCenter", true},
        {"MediaColor", 0x808080u},
        {"MediaVolume", 8},
        {"TextEncoding", QVariant::fromValue(vEncANSI)},
        {"TextWrap", false},
        {"TextWidth", 80},
        {"TextWidthHex", 16},
        {"TextWidthFit", false},
        {"TextWidthFitHex", false},
        {"TextWidthFitUHex", false},
        {"TextOemSpecial", false},
        {"TextGutter", false},
        {"TextNonPrintable", false},
        {"TextVariableScrollbar", false},
        {"TextGutterWidth", 10},
        {"TextTabSize", 8},
        {"TextSearchIndentVert", 5},
        {"TextSearchIndentHorz", 5},
        {"TextColor", 0xFF000005u},
        {"TextColorHex", 0x800000u},
        {"TextColorHex2", 0xFF0000u},
        {"TextColorHexBack", 0xECECECu},
        {"TextColorLines", 0x808080u},
        {"TextColorError", 0x0000FFu},
        {"TextColorGutter", 0xC0C0C0u},
        {"TextAutoReload", false},
        {"TextAutoReloadBeep", false},
        {"TextAutoReloadFollowTail", true},
        {"TextAutoCopy", false},
        {"TextPopupCommands", 0x1Fu},
        {"WebWaitForNavigate", false},
        {"IsFocused", false},
        {"BorderStyleInner", QVariant::fromValue(QFrame::Box)},
        {"PluginsFirst", true},
    };
    for (const auto& [name, expected] : rows) {
        SCOPED_TRACE(name);
        const QVariant value = viewer.property(name);
        ASSERT_TRUE(value.isValid());
        EXPECT_EQ(value, expected) << value.toString().toStdString();
    }
    EXPECT_TRUE(viewer.ModesDisabledForDetect().Empty());
    EXPECT_EQ(viewer.TextFont().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(viewer.TextFontOEM().family(), QStringLiteral("Terminal"));
    EXPECT_TRUE(viewer.FileName().isEmpty());
    EXPECT_FALSE(viewer.IsImage() || viewer.IsMedia() || viewer.IsIcon() || viewer.IsMetafile() || viewer.HadImage());
}

TEST_F(ViewerTest, TextSettingsReachTheTextViewAndReadBackFromIt)
{
    TVuViewer viewer;
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    viewer.SetTextWrap(true);
    EXPECT_TRUE(viewer.TextView()->TextWrap());
    viewer.SetTextColor(0x123456);
    EXPECT_EQ(viewer.TextView()->Color(), 0x123456u);
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPixelSize(17);
    viewer.SetTextFont(font);
    EXPECT_EQ(viewer.TextView()->font().pixelSize(), 17);
    viewer.SetTextWidth(120);
    EXPECT_EQ(viewer.TextView()->TextWidth(), 120);

    // The user picks an encoding in the view; the viewer keeps it.
    viewer.TextView()->SetTextEncoding(vEncKOI8);
    EXPECT_EQ(viewer.TextEncoding(), vEncKOI8);
    viewer.SetMode(vmodeHex);
    EXPECT_EQ(viewer.TextView()->TextEncoding(), vEncKOI8);

    viewer.SetTextSearchIndentVert(200);
    EXPECT_EQ(viewer.TextSearchIndentVert(), 80);
    EXPECT_EQ(viewer.TextView()->TextSearchIndentVert(), 80);
    viewer.SetTextSearchIndentHorz(-3);
    EXPECT_EQ(viewer.TextSearchIndentHorz(), 0);

    viewer.SetTextAutoReload(true);
    EXPECT_TRUE(viewer.TextView()->AutoReload());
    viewer.SetTextPopupCommands(0x03);
    EXPECT_EQ(viewer.TextView()->TextPopupCommands(), 0x03);

    // Volume levels are kept as given (a player gets them clamped).
    viewer.SetMediaVolume(42);
    EXPECT_EQ(viewer.MediaVolume(), 42);
}

class PrintTest : public ViewerTest {
protected:
    void Install(TVuViewer& viewer, bool accept)
    {
        viewer.Printer().setOutputFormat(QPrinter::PdfFormat);
        viewer.Printer().setOutputFileName(pdf_);
        TVuPrintDialogs dialogs;
        dialogs.print = [this, accept](QPrinter& printer, int options, QWidget*) {
            ++printDialogs_;
            offeredSelection_ = (options & QAbstractPrintDialog::PrintSelection) != 0;
            range_ = printer.printRange();
            copies_ = printer.copyCount();
            return accept;
        };
        dialogs.pageSetup = [this](QPrinter&, QWidget*) {
            ++setupDialogs_;
            return true;
        };
        dialogs.preview = [this](QPrinter& printer, const std::function<void(QPrinter&)>& paint, QWidget*) {
            ++previews_;
            paint(printer);
        };
        viewer.SetPrintDialogs(std::move(dialogs));
    }

    QString pdf_ = dir_.filePath(QStringLiteral("out.pdf"));
    int printDialogs_ = 0;
    int setupDialogs_ = 0;
    int previews_ = 0;
    bool offeredSelection_ = false;
    QPrinter::PrintRange range_ = QPrinter::AllPages;
    int copies_ = 0;
};

TEST_F(PrintTest, TextPrintingOffersAndChoosesTheSelection)
{
    TVuViewer viewer;
    Install(viewer, true);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "line one\nline two\n")));

    viewer.PrintFile();
    EXPECT_EQ(printDialogs_, 1);
    EXPECT_FALSE(offeredSelection_);
    EXPECT_EQ(range_, QPrinter::AllPages);
    EXPECT_EQ(copies_, 1);
    EXPECT_GT(QFileInfo(pdf_).size(), 0);

    QFile::remove(pdf_);
    ASSERT_TRUE(viewer.TextView()->Model().SetSelection(0, 4));
    viewer.PrintFile();
    EXPECT_TRUE(offeredSelection_);
    EXPECT_EQ(range_, QPrinter::Selection);
    EXPECT_GT(QFileInfo(pdf_).size(), 0);
    // Printing keeps the selection.
    EXPECT_EQ(viewer.TextView()->Model().SelLength(), 4);
}

TEST_F(PrintTest, CancelledDialogPrintsNothing)
{
    TVuViewer viewer;
    Install(viewer, false);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    viewer.PrintFile();
    EXPECT_EQ(printDialogs_, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf_));
}

TEST_F(PrintTest, MediaShowsTheDialogAndPrintsNothing)
{
    TVuViewer viewer;
    Install(viewer, true);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("photo.jpg"), "not really")));
    ASSERT_EQ(viewer.Mode(), vmodeMedia);
    viewer.PrintFile();
    EXPECT_EQ(printDialogs_, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf_));
}

TEST_F(PrintTest, PrinterSetupIsNotOfferedInUnicode)
{
    TVuViewer viewer;
    Install(viewer, true);
    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "text")));
    viewer.PrinterSetup();
    EXPECT_EQ(setupDialogs_, 1);
    viewer.SetMode(vmodeUnicode);
    viewer.PrinterSetup();
    EXPECT_EQ(setupDialogs_, 1);
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(PrintTest, PreviewShowsTheWholeTextInEveryTextMode)
{
    TVuViewer viewer;
    Install(viewer, true);
    viewer.PrintPreview();  // no file: nothing to show
    EXPECT_EQ(previews_, 0);

    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("a.txt"), "line one\nline two\n")));
    ASSERT_TRUE(viewer.TextView()->Model().SetSelection(0, 4));
    for (TVuViewerMode mode : {vmodeText, vmodeHex, vmodeUnicode}) {
        QFile::remove(pdf_);
        viewer.SetMode(mode);
        viewer.PrintPreview();
        EXPECT_GT(QFileInfo(pdf_).size(), 0) << int(mode);
    }
    EXPECT_EQ(previews_, 3);
    EXPECT_EQ(printDialogs_, 0);  // a preview asks for no printer

    ASSERT_TRUE(viewer.Open(Make(QStringLiteral("photo.jpg"), "not really")));
    viewer.PrintPreview();  // pictures have no pages of their own
    EXPECT_EQ(previews_, 3);
}

}  // namespace
