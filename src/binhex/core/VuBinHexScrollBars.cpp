#include "binhex/core/VuBinHexScrollBars.h"

#include <algorithm>

TVuScrollInfo VertScrollInfo(bool readOK, int64_t fileSize, int64_t lineUnit, int64_t viewPos, int64_t visibleBytes)
{
    TVuScrollInfo info;
    if (!readOK || lineUnit <= 0 || fileSize <= lineUnit)
        return info;
    const int64_t max = std::min<int64_t>(fileSize / lineUnit, kScrollMax);
    info.max = int(max);
    info.pos = int(std::min<int64_t>(max * viewPos / fileSize, max));
    int64_t page = std::max<int64_t>(max * std::max<int64_t>(visibleBytes, 0) / fileSize, 1);
    if (page >= max)
        page = max + 1;
    info.page = int(std::min<int64_t>(page, kScrollMax));
    return info;
}

int64_t ThumbOffset(int64_t fileSize, int pos, int max)
{
    return max > 0 ? fileSize * pos / max : 0;
}

TVuScrollInfo HorzScrollInfo(bool hidden, int widest, int clientWidth, int& horzScrollPos, int& horzMax)
{
    TVuScrollInfo info;
    if (hidden) {
        horzScrollPos = 0;
        return info;
    }
    const int content = widest + horzScrollPos;
    horzScrollPos = std::clamp(horzScrollPos, 0, std::max(content - clientWidth, 0));
    // Only the content's extent is kept: a client that was wider once (before
    // the vertical bar showed) would otherwise leave a bar for short lines.
    horzMax = std::max(horzMax, content);
    info.max = std::max(horzMax, clientWidth + horzScrollPos);
    info.page = clientWidth + 1;
    info.pos = horzScrollPos;
    return info;
}
