// UTF-8 text on the real widget: a drag selects whole characters, the copy
// is the file's text, and a Cyrillic word found by the search is selected
// and drawn inverted.
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QClipboard>

#include <cstdlib>

namespace {

// Cyrillic and ASCII only: every character is one cell of the fixed-pitch
// font, so cells can be clicked.
const std::string kRussian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80!\n"  // Привет, мир!
                             "\xD0\x96\xD1\x83\xD0\xBA \xD0\xB8 \xD0\xB6\xD1\x83\xD0\xBA\n";                 // Жук и жук

struct Utf8View : ShownView {
    explicit Utf8View(const std::string& data) : ShownView(data) { view.SetTextEncoding(vEncUTF8); }

    // The middle of the cell of the character at `offset`.
    QPoint CellOf(int64_t offset)
    {
        const TStrPositions& lines = view.Positions();
        for (size_t i = 0; i < lines.Count(); ++i) {
            const TStrPosition& line = lines[i];
            if (offset < line.offset || offset >= line.offset + UnitOffset(line, 1, line.text.size()))
                continue;
            const auto& m = Model().FontMetrics();
            const size_t unit = UnitAtOrAfter(line, 1, offset - line.offset);
            return QPoint(line.x + int((double(unit) + 0.5) * m.cellWidth), line.y + m.lineHeight / 2);
        }
        return QPoint(-1000, -1000);
    }
};

TEST(BinHexUtf8Widget, DragSelectsWholeCharactersAndCopiesTheText)
{
    Utf8View v(kRussian);
    ASSERT_EQ(v.view.Positions()[0].text, u"Привет, мир!");
    // From the left half of "р" to the right half of "е": "рив" and "е".
    const QPoint from = v.CellOf(2) - QPoint(v.Model().FontMetrics().cellWidth / 4, 0);
    const QPoint to = v.CellOf(8) + QPoint(v.Model().FontMetrics().cellWidth / 4, 0);
    QTest::mousePress(v.Port(), Qt::LeftButton, {}, from);
    QTest::mouseMove(v.Port(), to);
    QTest::mouseRelease(v.Port(), Qt::LeftButton, {}, to);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{2}, int64_t{8}));
    EXPECT_EQ(v.view.SelTextUnicode(), QStringLiteral("риве"));

    v.view.SelectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(&v.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(kRussian.data(), qsizetype(kRussian.size())));
    // The ANSI text narrows: each Cyrillic letter a "?" in a Western code
    // page.
    setenv("PEEKWELL_ACP", "1252", 1);
    v.view.SetSelection(0, 12, false, false);
    EXPECT_EQ(v.view.SelText(), "??????");
    unsetenv("PEEKWELL_ACP");
}

TEST(BinHexUtf8Widget, ACyrillicWordFoundIsSelected)
{
    Utf8View v(kRussian);
    TVuStreamSearch search;
    search.SetSourceFile(v.file.Path());
    // "жук" whole words, case-insensitively: first the capital "Жук".
    ASSERT_TRUE(search.FindFirstMatch(u"ЖУК", vEncUTF8, ssoWholeWords, 0));
    EXPECT_EQ(search.MatchStart(), int64_t(kRussian.find('\n')) + 1);
    EXPECT_EQ(search.MatchLength(), 6);
    v.view.SetSelection(search.MatchStart(), search.MatchLength(), true, true);
    EXPECT_EQ(v.view.SelTextUnicode(), QStringLiteral("Жук"));
    ASSERT_TRUE(search.FindNextMatch());
    v.view.SetSelection(search.MatchStart(), search.MatchLength(), true, true);
    EXPECT_EQ(v.view.SelTextUnicode(), QStringLiteral("жук"));
    // Drawn inverted: along the top row of the line (above the lower-case
    // letters) the selected word's cells are dark, the "и" before it light.
    const QImage& image = v.view.Bitmap();
    auto darkOnTop = [&](int64_t offset) {
        const QPoint centre = v.CellOf(offset);
        const int top = centre.y() - v.Model().FontMetrics().lineHeight / 2 + 1;
        int dark = 0;
        for (int x = centre.x() - 2; x <= centre.x() + 2; ++x)
            dark += qGray(image.pixel(x, top)) < 128;
        return dark;
    };
    EXPECT_EQ(darkOnTop(search.MatchStart()), 5);
    EXPECT_EQ(darkOnTop(search.MatchStart() + 4), 5);
    EXPECT_EQ(darkOnTop(search.MatchStart() - 3), 0);  // "и"
    ASSERT_FALSE(search.FindNextMatch());
    ASSERT_TRUE(search.FindFirstMatch(u"жук", vEncUTF8, ssoMatchCase, 0));
    EXPECT_EQ(search.MatchStart(), int64_t(kRussian.rfind("\xD0\xB6")));
}

}  // namespace
