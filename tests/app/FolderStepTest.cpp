// Previous and next through a folder: steps, the beep at an end, and the
// wrap that follows it.
#include <gtest/gtest.h>

#include "app/core/FolderStep.h"

namespace {

// One press: direction, and the file it should open ("" for none) and
// whether it beeps.
struct Press {
    bool forward;
    const char* opens;
    bool beeps;
};

struct Walk {
    const char* name;
    std::vector<std::string> files;
    std::string listed;
    std::vector<Press> presses;
};

TEST(FolderStepTest, WalksThroughTheFolder)
{
    const std::vector<std::string> abc = {"/d/a", "/d/b", "/d/c"};
    const Walk walks[] = {
        {"steps both ways", abc, "/d/b", {{true, "/d/c", false}, {false, "/d/b", false}, {false, "/d/a", false}}},
        {"next from the last file beeps, then wraps; previous from there needs no beep",
         abc,
         "/d/c",
         {{true, "", true}, {true, "/d/a", false}, {false, "/d/c", false}}},
        {"previous from the first file beeps, then wraps", abc, "/d/a", {{false, "", true}, {false, "/d/c", false}}},
        {"a one-file folder beeps, then gives the same file", {"/d/only"}, "/d/only",
         {{true, "", true}, {true, "/d/only", false}, {true, "/d/only", false}}},
        {"a listed file that is gone: previous goes to the last file", abc, "/d/gone", {{false, "/d/c", false}}},
        {"a listed file that is gone: next beeps first", abc, "/d/gone", {{true, "", true}, {true, "/d/a", false}}},
        {"a normal step disarms the wrap", abc, "/d/c",
         {{true, "", true}, {false, "/d/b", false}, {true, "/d/c", false}, {true, "", true}}},
        {"an empty folder never opens anything", {}, "/d/x", {{true, "", true}, {true, "", false}, {false, "", false}}},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.name);
        bool armed = false;
        std::string listed = walk.listed;
        for (const Press& press : walk.presses) {
            const FolderStepResult r = StepThroughFolder(walk.files, listed, press.forward, armed);
            const std::string opened = r.index < 0 ? "" : walk.files[size_t(r.index)];
            EXPECT_EQ(opened, press.opens);
            EXPECT_EQ(r.beep, press.beeps);
            if (!opened.empty())
                listed = opened;
        }
    }
}

}  // namespace
