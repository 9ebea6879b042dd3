#include "app/core/FolderStep.h"

#include <algorithm>

FolderStepResult StepThroughFolder(const std::vector<std::string>& files, const std::string& listed, bool forward,
                                   bool& wrapArmed)
{
    const int count = int(files.size());
    const int pos = int(std::find(files.begin(), files.end(), listed) - files.begin());  // count when absent
    FolderStepResult result;
    if (forward && pos + 1 < count) {
        result.index = pos + 1;
        wrapArmed = false;
    } else if (!forward && pos > 0 && count > 0) {
        result.index = std::min(pos, count) - 1;
        wrapArmed = false;
    } else if (wrapArmed) {
        result.index = count == 0 ? -1 : (forward ? 0 : count - 1);
    } else {
        wrapArmed = true;
        result.beep = true;
    }
    return result;
}
