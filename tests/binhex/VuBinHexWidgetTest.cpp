// The widget on Qt's offscreen platform: drawing through QPainter, scroll
// bars, colours, printing to PDF and the five modes on a real file.
#include "BinHexTestSupport.h"

#include "binhex/gui/VuBinHex.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::string Numbered(int lines, int width = 60)
{
    std::string data;
    for (int i = 0; i < lines; ++i) {
        std::string line = "line " + std::to_string(i) + " ";
        while (int(line.size()) < width)
            line += char('a' + line.size() % 26);
        data += line + "\r\n";
    }
    return data;
}

int CountPixels(const QImage& image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return n;
}

int PdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(f.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

struct View {
    View()
    {
        view.resize(640, 480);
        view.SetColor(0xFFFFFF);
        view.SetFontColor(0x000000);
    }
    TVuBinHex view;
};

TEST(BinHexWidget, EmptySourceShowsNoScrollBars)
{
    TempFile empty;
    View v;
    ASSERT_TRUE(v.view.OpenFile(QString::fromStdString(empty.Path())));
    EXPECT_EQ(v.view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(v.view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(v.view.Bitmap().size(), v.view.viewport()->size());
    EXPECT_EQ(CountPixels(v.view.Bitmap(), qRgb(0, 0, 0)), 0);
}

TEST(BinHexWidget, ScrollBarsFollowTheirRules)
{
    TempFile file(Numbered(2000, 200));  // long lines: wider than the view
    View v;
    ASSERT_TRUE(v.view.OpenFile(QString::fromStdString(file.Path())));
    QScrollBar* vert = v.view.verticalScrollBar();
    QScrollBar* horz = v.view.horizontalScrollBar();
    EXPECT_GT(vert->maximum(), 0);
    EXPECT_GT(vert->pageStep(), 0);
    EXPECT_EQ(vert->value(), 0);
    EXPECT_GT(horz->maximum(), 0);
    v.view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&v.view));
    EXPECT_TRUE(horz->isVisible());
    EXPECT_TRUE(vert->isVisible());
    v.view.ScrollTo(v.view.Model().FileSize() / 2);
    const int64_t max = vert->maximum() + vert->pageStep() - 1;  // the range in line units
    EXPECT_EQ(max, 32767);
    EXPECT_EQ(vert->value(), max * v.view.Model().ViewPos() / v.view.Model().FileSize());
    v.view.SetTextWrap(true);  // wrapping hides the horizontal bar
    EXPECT_EQ(horz->maximum(), 0);
    QCoreApplication::processEvents();  // the scroll area hides a bar queued
    EXPECT_FALSE(horz->isVisible());
    // A redraw after positioning reads nothing.
    const int64_t reads = v.view.Model().ReadCount();
    v.view.Redraw();
    EXPECT_EQ(v.view.Model().ReadCount(), reads);
}

TEST(BinHexWidget, DisabledDrawingTurnsGrey)
{
    TempFile file(Numbered(50));
    View v;
    ASSERT_TRUE(v.view.OpenFile(QString::fromStdString(file.Path())));
    EXPECT_GT(CountPixels(v.view.Bitmap(), qRgb(0, 0, 0)), 100);
    v.view.setEnabled(false);
    EXPECT_EQ(CountPixels(v.view.Bitmap(), qRgb(0, 0, 0)), 0);
    const QColor grey = v.view.palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_GT(CountPixels(v.view.Bitmap(), grey.rgb()), 100);
}

TEST(BinHexWidget, ModeSwitchKeepsTheHorizontalPositionAndLine)
{
    TempFile file(Numbered(500, 200));
    View v;
    ASSERT_TRUE(v.view.OpenFile(QString::fromStdString(file.Path())));
    v.view.SetMode(vbmodeHex);
    v.view.ScrollTo(0x1230);
    v.view.SetMode(vbmodeText);
    const int64_t view = v.view.Model().ViewPos();
    EXPECT_LE(view, 0x1230);
    EXPECT_GT(view + 202, 0x1230);  // lines are 202 bytes with CR LF
    EXPECT_EQ(v.view.Positions()[0].offset, view);
}

// Prints to a PDF and counts the pages it holds.
class PrintTest : public ::testing::Test {
protected:
    int Print(TVuBinHex& view, bool selection, const QString& name)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        path = dir.filePath(name);
        printer.setOutputFileName(path);
        const int pages = view.PrintText(printer, selection, 1, QString());
        const QString shots = qEnvironmentVariable("PEEKWELL_SHOTS");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            QFile::remove(shots + "/binhex-print-" + name);
            QFile::copy(path, shots + "/binhex-print-" + name);
        }
        // Lines one page holds: the page in screen pixels over the line height.
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        const double scale = double(printer.resolution()) / view.logicalDpiY();
        linesPerPage = (int(page.height() / scale) - 4) / QFontMetrics(view.font()).height();
        return pages;
    }
    QTemporaryDir dir;
    QString path;
    int linesPerPage = 0;
};

TEST_F(PrintTest, WholeFileAndSelectionGiveTheirPageCounts)
{
    TempFile file(Numbered(300));
    View v;
    ASSERT_TRUE(v.view.OpenFile(QString::fromStdString(file.Path())));
    v.view.ScrollTo(5000);
    const int64_t view = v.view.Model().ViewPos();

    const int all = Print(v.view, false, "all.pdf");
    ASSERT_GT(linesPerPage, 10);
    const int expected = (300 + linesPerPage - 1) / linesPerPage;
    EXPECT_EQ(all, expected);
    EXPECT_EQ(PdfPages(path), expected);
    // The view is as it was.
    EXPECT_EQ(v.view.Model().ViewPos(), view);
    EXPECT_TRUE(v.view.isEnabled());
    EXPECT_FALSE(v.view.TextWrap());

    // Lines are 62 bytes: the selection starts inside line 20 and ends
    // inside line 120, so 101 lines are printed.
    v.view.Model().SetSelection(20 * 62 + 3, 100 * 62);
    const int selected = Print(v.view, true, "selection.pdf");
    const int expectedSel = (101 + linesPerPage - 1) / linesPerPage;
    EXPECT_EQ(selected, expectedSel);
    EXPECT_EQ(PdfPages(path), expectedSel);
    EXPECT_EQ(v.view.Model().SelStart(), 20 * 62 + 3);
}

TEST_F(PrintTest, WrappedLongLinesPrintOnMorePages)
{
    TempFile file(Numbered(100, 250));
    View v;
    ASSERT_TRUE(v.view.OpenFile(QString::fromStdString(file.Path())));
    const int pages = Print(v.view, false, "wrapped.pdf");
    // Every 250-character line needs more than one printed line.
    EXPECT_GT(pages, (100 + linesPerPage - 1) / linesPerPage);
    EXPECT_EQ(PdfPages(path), pages);
}

// Draws each mode on a real file; with PEEKWELL_SHOTS set the widget is
// grabbed into that folder, one PNG a mode, to be looked at.
TEST(BinHexWidget, EveryModeDrawsOnARealFile)
{
    const QString source = QStringLiteral(__FILE__);  // this test's own source
    ASSERT_TRUE(QFile::exists(source));
    // The Unicode modes show the same text saved as UTF-16 with its mark,
    // with a Cyrillic line in it.
    QFile in(source);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(in.readAll()).replace(QStringLiteral("namespace {"),
                                                                 QStringLiteral("namespace { // \u041F\u0440\u0438\u0432\u0435\u0442"));
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    TempFile wide(utf16.toStdString());
    View v;
    v.view.resize(900, 600);
    v.view.SetTextGutter(true);
    ASSERT_TRUE(v.view.OpenFile(source));
    v.view.Model().SetSelection(300, 40);
    const char* names[] = {"text", "binary", "hex", "unicode", "uhex"};
    const QString shots = qEnvironmentVariable("PEEKWELL_SHOTS");
    for (int mode = vbmodeText; mode <= vbmodeUHex; ++mode) {
        v.view.SetMode(TVuBinHexMode(mode));
        if (mode == vbmodeUnicode) {
            ASSERT_TRUE(v.view.OpenFile(QString::fromStdString(wide.Path())));
        }
        v.view.Model().SetSelection(300, 40);
        v.view.Redraw();
        EXPECT_GT(CountPixels(v.view.Bitmap(), qRgb(0, 0, 0)), 500) << names[mode];
        EXPECT_GT(v.view.Positions().Count(), 10u) << names[mode];
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            v.view.grab().save(shots + "/binhex-" + names[mode] + ".png");
            // On a real display (xcb under Xvfb) also the screen itself.
            if (QGuiApplication::platformName() == QLatin1String("xcb")) {
                v.view.show();
                EXPECT_TRUE(QTest::qWaitForWindowExposed(&v.view));
                QTest::qWait(50);
                QGuiApplication::primaryScreen()->grabWindow(0).save(shots + "/screen-" + names[mode] + ".png");
            }
        }
    }
}

}  // namespace
