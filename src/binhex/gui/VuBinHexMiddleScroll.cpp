// Middle-button scrolling: a press of the middle button marks an origin;
// every 100 ms the view then moves towards where the pointer is, faster the
// further it is, and the cursor shows the direction. Any button, any key,
// losing the focus or a mode change ends it.
#include "binhex/gui/VuBinHex.h"

#include "binhex/gui/VuScrollCursors.h"

#include <QCursor>

void TVuBinHex::StartMiddleScroll(QPoint origin)
{
    middleOrigin_ = origin;
    middleScroll_ = true;
    middleTimer_.start();
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->update();  // the origin mark
}

void TVuBinHex::StopMiddleScroll()
{
    if (!middleScroll_)
        return;
    middleScroll_ = false;
    middleTimer_.stop();
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->update();
}

void TVuBinHex::MiddleScrollTick()
{
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    const TVuMiddleScrollStep step = MiddleScrollStep(at.x() - middleOrigin_.x(), at.y() - middleOrigin_.y());
    viewport()->setCursor(MiddleScrollCursor(step.cursor));
    if (step.lines < 0) {
        model_.LineUp(-step.lines);
        Redraw();
    } else if (step.lines > 0) {
        model_.LineDown(step.lines);
        Redraw();
    } else if (step.pixels != 0) {
        ScrollHorizontally(step.pixels);
    }
}
