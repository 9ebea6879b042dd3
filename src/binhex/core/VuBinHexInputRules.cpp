#include "binhex/core/VuBinHexInputRules.h"

#include <cstdlib>

TVuDragZone DragZoneAt(int x, int y, int width, int height, int leftMargin)
{
    if (y <= 0)
        return vdzUp;
    if (y >= height - 1)
        return vdzDown;
    if (x <= leftMargin)
        return vdzLeft;
    if (x >= width - 1)
        return vdzRight;
    return vdzNone;
}

TVuMiddleScrollStep MiddleScrollStep(int dx, int dy)
{
    TVuMiddleScrollStep step;
    const int64_t ax = std::abs(dx);
    const int64_t ay = std::abs(dy);
    if (ax * ax + ay * ay <= int64_t(kMiddleScrollDeadZone) * kMiddleScrollDeadZone)
        return step;
    const int lines = int(ay / kMiddleScrollDeadZone);
    const int pixels = int(ax / kMiddleScrollDeadZone) * 8;
    if (dy <= 0 && ay >= ax) {
        step.cursor = vscUp;
        step.lines = -lines;
    } else if (dy >= 0 && ay >= ax) {
        step.cursor = vscDown;
        step.lines = lines;
    } else if (dx >= 0) {
        step.cursor = vscRight;
        step.pixels = pixels;
    } else {
        step.cursor = vscLeft;
        step.pixels = -pixels;
    }
    return step;
}
