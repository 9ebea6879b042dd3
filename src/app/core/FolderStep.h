// The previous/next rule of the main window: where a step from the listed
// file goes in its folder's sorted file list, and the beep that comes
// before wrapping around an end.
#pragma once

#include <string>
#include <vector>

// What one step does.
struct FolderStepResult {
    int index = -1;     // the file to open, or -1 for none
    bool beep = false;  // sound the default beep (the step hit an end)
};

// A step forward (next) or backward (previous) from `listed` in `files`.
// `listed` is looked up exactly; a name that is not in the list counts as
// the place after its end, so previous goes to the last file and next hits
// the end. A step into a file clears `wrapArmed`. At an end the first step
// beeps and arms `wrapArmed`; a step while armed takes the first (forward)
// or last (backward) file and leaves it armed. An empty list gives no file.
FolderStepResult StepThroughFolder(const std::vector<std::string>& files, const std::string& listed, bool forward,
                                   bool& wrapArmed);
