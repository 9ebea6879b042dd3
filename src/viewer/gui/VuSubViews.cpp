#include "viewer/gui/VuSubViews.h"

namespace {

TVuSubViewMakers& Makers()
{
    static TVuSubViewMakers makers;
    return makers;
}

}  // namespace

void SetViewerSubViewMakers(TVuSubViewMakers makers)
{
    Makers() = std::move(makers);
}

const TVuSubViewMakers& ViewerSubViewMakers()
{
    return Makers();
}
