// The find dialog's boxes as encoding and options, and the progress
// window's percentage and label.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "app/core/FindRules.h"

TEST(FindRules, EncodingFromTheBoxes)
{
    struct Case {
        bool oem, unicode, unicodeBE;
        TVuEncoding expected;
        bool utf8 = false;
    };
    const Case cases[] = {
        {false, false, false, vEncANSI},
        {true, false, false, vEncOEM},
        {false, true, false, vEncUnicodeLE},
        {false, true, true, vEncUnicodeBE},
        {true, true, false, vEncUnicodeLE},  // Unicode wins over OEM
        {true, true, true, vEncUnicodeBE},
        {false, false, true, vEncANSI},  // UnicodeBE alone means nothing
        {true, false, true, vEncOEM},
        {false, false, false, vEncUTF8, true},
        {true, false, false, vEncUTF8, true},       // UTF-8 wins over OEM
        {false, true, false, vEncUnicodeLE, true},  // Unicode wins over UTF-8
        {true, true, true, vEncUnicodeBE, true},
    };
    for (const Case& c : cases) {
        TFindEncodingBoxes boxes;
        boxes.Oem = c.oem;
        boxes.Unicode = c.unicode;
        boxes.UnicodeBE = c.unicodeBE;
        boxes.Utf8 = c.utf8;
        EXPECT_EQ(FindEncoding(boxes), c.expected) << c.oem << c.unicode << c.unicodeBE << c.utf8;
    }
}

TEST(FindRules, OptionsFromTheBoxes)
{
    EXPECT_EQ(FindOptions({}), 0);
    EXPECT_EQ(FindOptions({true, false, false}), ssoMatchCase);
    EXPECT_EQ(FindOptions({false, true, false}), ssoWholeWords);
    EXPECT_EQ(FindOptions({false, false, true}), ssoBackward);
    EXPECT_EQ(FindOptions({true, true, true}), ssoMatchCase | ssoWholeWords | ssoBackward);
}

TEST(FindRules, ProgressPercentAndCaption)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    struct Case {
        int64_t position, maximum;
        int percent;
    };
    const Case cases[] = {
        {0, 0, 0},           {0, 2048, 0},       {1024, 2048, 50},       {2048, 2048, 100},
        {1, 3, 33},          {2, 3, 66},         {kMax / 2, kMax, 49},   {kMax - 1, kMax, 99},
        {kMax, kMax, 100},   {kMax / 100 + 1, kMax, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressPercent(c.position, c.maximum), c.percent) << c.position << " of " << c.maximum;

    EXPECT_EQ(ProgressCaption(1024, 2048), "50% (1024 \\ 2048)");
    EXPECT_EQ(ProgressCaption(0, 0), "0% (0 \\ 0)");
    EXPECT_EQ(ProgressCaption(kMax, kMax), "100% (9223372036854775807 \\ 9223372036854775807)");
}

TEST(FindRules, ProgressAssertions)
{
    auto message = [](int64_t position, int64_t maximum) {
        try {
            ProgressPercent(position, maximum);
        } catch (const std::logic_error& e) {
            return std::string(e.what());
        }
        return std::string("no assertion");
    };
    EXPECT_EQ(message(-1, 10), "Progress position is negative");
    EXPECT_EQ(message(0, -1), "Progress maximal position is negative");
    EXPECT_EQ(message(11, 10), "Progress position is out of range");
    EXPECT_EQ(message(-1, -1), "Progress position is negative");
    EXPECT_THROW(ProgressCaption(5, 4), std::logic_error);
}
