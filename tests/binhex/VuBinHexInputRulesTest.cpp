// The view's input and menu rules without a window: drag-scroll zones,
// middle-button scrolling ticks, context-menu states and the encoding
// menu's layout.
#include "BinHexTestSupport.h"

#include "binhex/core/VuBinHexInputRules.h"
#include "binhex/core/VuBinHexMenuRules.h"

namespace {

TEST(BinHexInputRules, DragZones)
{
    // A 400 x 300 client whose text starts at x = 2.
    const struct {
        int x, y;
        TVuDragZone zone;
    } rows[] = {
        {100, 0, vdzUp},    {100, -5, vdzUp},    {0, 0, vdzUp},        // up wins in a corner
        {100, 299, vdzDown}, {100, 400, vdzDown}, {2, 150, vdzLeft},
        {-3, 150, vdzLeft}, {399, 150, vdzRight}, {3, 1, vdzNone},
        {398, 298, vdzNone},
    };
    for (const auto& r : rows)
        EXPECT_EQ(DragZoneAt(r.x, r.y, 400, 300, 2), r.zone) << r.x << "," << r.y;
}

TEST(BinHexInputRules, MiddleScrollTicks)
{
    const struct {
        int dx, dy;
        TVuScrollCursor cursor;
        int lines, pixels;
    } rows[] = {
        {0, 0, vscMove, 0, 0},
        {16, 0, vscMove, 0, 0},     // on the dead zone's edge
        {-11, 11, vscMove, 0, 0},   // within 16 pixels diagonally
        {0, -40, vscUp, -2, 0},
        {0, 40, vscDown, 2, 0},
        {30, 30, vscDown, 1, 0},    // a tie goes vertical, and down before right
        {-30, -30, vscUp, -1, 0},
        {-12, -12, vscUp, 0, 0},    // past the dead zone but under one line
        {50, 10, vscRight, 0, 24},
        {-50, 10, vscLeft, 0, -24},
        {17, 0, vscRight, 0, 8},
    };
    for (const auto& r : rows) {
        const TVuMiddleScrollStep step = MiddleScrollStep(r.dx, r.dy);
        EXPECT_EQ(step.cursor, r.cursor) << r.dx << "," << r.dy;
        EXPECT_EQ(step.lines, r.lines) << r.dx << "," << r.dy;
        EXPECT_EQ(step.pixels, r.pixels) << r.dx << "," << r.dy;
    }
}

TEST(BinHexMenuRules, PopupStatesFollowSourceSelectionAndMode)
{
    StreamModel empty("");
    EXPECT_EQ(PopupStatesOf(empty.model), TVuPopupStates{});

    StreamModel text("abcdef");
    EXPECT_EQ(PopupStatesOf(text.model), (TVuPopupStates{false, false, true, true, true}));
    text.model.SetSelection(1, 2);
    EXPECT_EQ(PopupStatesOf(text.model), (TVuPopupStates{true, false, true, true, true}));
    text.model.SetSelection(0, 6);  // all of it: nothing more to select
    EXPECT_EQ(PopupStatesOf(text.model), (TVuPopupStates{true, false, true, false, true}));

    StreamModel hex("abcdef", vbmodeHex);
    hex.model.SetSelection(0, 1);
    EXPECT_EQ(PopupStatesOf(hex.model), (TVuPopupStates{true, true, true, true, true}));

    // An odd byte in Unicode is not a character: 4 of 5 bytes is all.
    StreamModel wide(std::string("a\0b\0c", 5), vbmodeUnicode);
    wide.model.SetSelection(0, 5);
    EXPECT_FALSE(PopupStatesOf(wide.model).selectAll);
}

TEST(BinHexMenuRules, EncodingMenuHasThreeColumnsOfGroups)
{
    std::vector<std::vector<TVuEncoding>> columns(1);
    std::vector<TVuEncoding> separatorsBefore;  // the item after each separator
    int items = 0;
    bool separator = false;
    for (const TVuEncodingMenuEntry& e : EncodingMenuLayout()) {
        if (e.kind == TVuEncodingMenuEntry::columnBreak) {
            columns.emplace_back();
        } else if (e.kind == TVuEncodingMenuEntry::separator) {
            separator = true;
        } else {
            if (separator)
                separatorsBefore.push_back(e.encoding);
            separator = false;
            columns.back().push_back(e.encoding), ++items;
        }
    }
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(items, vEncEBCyrillicSerbianBulgarian + 2);  // the single-byte ones and UTF-8
    EXPECT_EQ(columns[0].front(), vEncANSI);
    // UTF-8 follows "Mac" among the basic encodings.
    EXPECT_EQ(columns[0][vEncMac], vEncMac);
    EXPECT_EQ(columns[0][vEncMac + 1], vEncUTF8);
    EXPECT_EQ(columns[0].back(), vEncCyrWin);
    EXPECT_EQ(columns[1].front(), vEncGreekDOS);
    EXPECT_EQ(columns[1].back(), vEncViet);
    EXPECT_EQ(columns[2].front(), vEncEBUSCanada);
    EXPECT_EQ(columns[2].back(), vEncEBCyrillicSerbianBulgarian);
    // Separators before each later group of the first two columns: Western,
    // Central European, Baltic, Cyrillic; Latin 3, Turkish, Arabic, Hebrew,
    // Thai, Vietnamese.
    EXPECT_EQ(separatorsBefore,
              (std::vector<TVuEncoding>{vEncWEuroDOS, vEncCEuroDOS, vEncBalDOS, vEncCyrDOS, vEncLatin3, vEncTurDOS,
                                vEncArDOS1, vEncHebDOS, vEncThai, vEncViet}));
}

}  // namespace
