#include <gtest/gtest.h>

#include "search/core/VuTextFinders.h"

// Block finders: 1-based hits, case folding, whole words and the rule that
// a whole word touching the block's far edge waits for the next block.
TEST(TextFinders, Rows)
{
    struct Row {
        const char* pattern; const char* text; bool forward, lastBlock, matchCase, wholeWords; int hit;
    };
    const Row rows[] = {
        {"cat", "concat cat", true, true, true, true, 8},
        {"cat", "concat cat", false, true, true, true, 8},
        {"cat", "concat cat", true, true, true, false, 4},
        {"CAT", "concat cat", true, true, false, false, 4},
        {"CAT", "concat cat", true, true, true, false, 0},
        {"cat", "xx cat", true, false, true, true, 0},   // at the far edge of a middle block
        {"cat", "xx cat", true, true, true, true, 4},    // the same in the last block
        {"cat", "cat xx", false, false, true, true, 0},  // backward: the start is the far edge
        {"cat", "cat xx", true, false, true, true, 1},
        {"aa", "aaaa", false, true, true, false, 3},
        {"", "abc", true, true, true, false, 0},
        {"abcd", "abc", true, true, true, false, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FindBytesInText(r.pattern, r.text, r.forward, r.lastBlock, r.matchCase, r.wholeWords), r.hit)
            << r.pattern << " in " << r.text;
    EXPECT_EQ(FindWideInText(u"ЖУК", u"жук, жуки", true, true, false, true), 1);
    EXPECT_EQ(FindWideInText(u"жук", u"жуки жук", true, true, true, true), 6);
    EXPECT_EQ(FindWideInText(u"é", u"café", true, true, true, true), 0);  // é is a word character
}
