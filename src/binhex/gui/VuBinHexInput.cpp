// Everything the user does to the view directly, except middle-button
// scrolling and the menus: keys, the wheel, both scroll bars, clicks, double
// and triple clicks and selecting drags with their scrolling zones.
#include "binhex/gui/VuBinHex.h"

#include "binhex/core/VuBinHexScrollBars.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>

namespace {

// The keys the view handles; any other goes on to the parent.
enum ViewKey : uint8_t {
    keyNone,
    keyPageDown,
    keyPageUp,
    keyLineDown,
    keyLineUp,
    keyFileStart,
    keyFileEnd,
    keyScrollLeft,
    keyScrollRight,
    keyLineHome,
    keyLineEnd,
    keySelectAll,
    keyCopy,
};

ViewKey ViewKeyOf(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_PageDown: return keyPageDown;
        case Qt::Key_PageUp: return keyPageUp;
        case Qt::Key_Down: return keyLineDown;
        case Qt::Key_Up: return keyLineUp;
        case Qt::Key_Left: return keyScrollLeft;
        case Qt::Key_Right: return keyScrollRight;
        case Qt::Key_Home: return keyLineHome;
        case Qt::Key_End: return keyLineEnd;
        default: return keyNone;
        }
    }
    if (mods == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_Home: return keyFileStart;
        case Qt::Key_End: return keyFileEnd;
        case Qt::Key_A: return keySelectAll;
        case Qt::Key_C:
        case Qt::Key_Insert: return keyCopy;
        default: return keyNone;
        }
    }
    return keyNone;
}

constexpr int kKeyScrollPixels = 200;
constexpr int kWheelStep = 120;  // angle of one wheel notch, in eighths of a degree

qint64 NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

// --- Keys ------------------------------------------------------------------------

bool TVuBinHex::event(QEvent* event)
{
    // The view's keys reach it even where a window shortcut uses the same
    // keys, as the arrow keys reach a control that asks for them.
    if (event->type() == QEvent::ShortcutOverride && ViewKeyOf(static_cast<QKeyEvent*>(event)) != keyNone) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TVuBinHex::keyPressEvent(QKeyEvent* event)
{
    StopMiddleScroll();
    switch (ViewKeyOf(event)) {
    case keyPageDown: model_.PageDown(); Redraw(); break;
    case keyPageUp: model_.PageUp(); Redraw(); break;
    case keyLineDown: model_.LineDown(1); Redraw(); break;
    case keyLineUp: model_.LineUp(1); Redraw(); break;
    case keyFileStart: model_.GoHome(); Redraw(); break;
    case keyFileEnd: GoToEnd(); break;
    case keyScrollLeft: ScrollHorizontally(-kKeyScrollPixels); break;
    case keyScrollRight: ScrollHorizontally(kKeyScrollPixels); break;
    case keyLineHome: SetHorzPosition(0); break;
    case keyLineEnd: SetHorzPosition(horizontalScrollBar()->maximum()); break;
    case keySelectAll: SelectAll(); break;
    case keyCopy: CopyToClipboard(false); break;
    case keyNone:
        // Not ours: the parent (the viewer, the main window) may want it.
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TVuBinHex::GoToEnd()
{
    model_.GoEnd();
    Redraw();
}

void TVuBinHex::ScrollHorizontally(int pixels) { SetHorzPosition(model_.HorzScrollPos() + pixels); }

void TVuBinHex::SetHorzPosition(int pixels)
{
    model_.SetHorzScrollPos(pixels);  // the redraw clamps it to the content
    Redraw();
}

// --- Wheel -----------------------------------------------------------------------------

void TVuBinHex::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const QPoint angle = event->angleDelta();
    // A wheel that only turns sideways (a tilt wheel, or a system that
    // turns Shift+wheel into one) scrolls sideways.
    const bool sideways = angle.y() == 0 && angle.x() != 0;
    wheelRest_ += sideways ? angle.x() : angle.y();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool leftHeld = (event->buttons() & Qt::LeftButton) != 0;
    while (std::abs(wheelRest_) >= kWheelStep) {
        const bool up = wheelRest_ > 0;
        wheelRest_ -= up ? kWheelStep : -kWheelStep;
        if (sideways || mods == Qt::ShiftModifier) {
            ScrollHorizontally(up ? -kKeyScrollPixels : kKeyScrollPixels);
        } else if (mods == Qt::ControlModifier || leftHeld) {
            ChangeFontSize(up);
        } else if (mods == Qt::NoModifier) {
            const int lines = QApplication::wheelScrollLines();
            if (up)
                model_.LineUp(lines);
            else
                model_.LineDown(lines);
            Redraw();
        }
    }
}

// --- Scroll bars ---------------------------------------------------------------------

void TVuBinHex::VertScrollAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: model_.LineDown(1); break;
    case QAbstractSlider::SliderSingleStepSub: model_.LineUp(1); break;
    case QAbstractSlider::SliderPageStepAdd: model_.PageDown(); break;
    case QAbstractSlider::SliderPageStepSub: model_.PageUp(); break;
    case QAbstractSlider::SliderToMinimum: model_.GoHome(); break;
    case QAbstractSlider::SliderToMaximum: model_.GoEnd(); break;
    case QAbstractSlider::SliderMove:
        model_.ScrollTo(ThumbOffset(model_.FileSize(), verticalScrollBar()->sliderPosition(), vertScrollMax_));
        break;
    default: return;
    }
    Redraw();
    emit OnScroll();
}

void TVuBinHex::HorzScrollAction(int action)
{
    QScrollBar* bar = horizontalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: ScrollHorizontally(kKeyScrollPixels); break;
    case QAbstractSlider::SliderSingleStepSub: ScrollHorizontally(-kKeyScrollPixels); break;
    case QAbstractSlider::SliderPageStepAdd: ScrollHorizontally(viewport()->width()); break;
    case QAbstractSlider::SliderPageStepSub: ScrollHorizontally(-viewport()->width()); break;
    case QAbstractSlider::SliderToMinimum: SetHorzPosition(0); break;
    case QAbstractSlider::SliderToMaximum: SetHorzPosition(bar->maximum()); break;
    case QAbstractSlider::SliderMove: SetHorzPosition(bar->sliderPosition()); break;
    default: return;
    }
    emit OnScroll();
}

// --- Mouse -------------------------------------------------------------------------------

int64_t TVuBinHex::OffsetAtPoint(QPoint point)
{
    return positions_.OffsetAt(point.x(), point.y(), model_.FontMetrics().lineHeight, canvas_,
                               TextOutputOptionsOf(model_, false));
}

void TVuBinHex::ResetMouseState()
{
    StopDragScroll();
    buttonDown_ = false;
    dragStart_ = -1;
    anchor_ = 0;
    wordPos_ = -1;
    doubleClick_ = false;
    tripleClick_ = false;
    keepClickSelection_ = false;
    menuPoint_ = QPoint(-1, -1);
}

void TVuBinHex::mousePressEvent(QMouseEvent* event)
{
    const bool wasScrolling = middleScroll_;
    StopMiddleScroll();  // any button ends it
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        if (!wasScrolling)
            LeftButtonDown(event);
    } else if (event->button() == Qt::MiddleButton && !wasScrolling) {
        StartMiddleScroll(event->position().toPoint());
    }
    event->accept();
}

void TVuBinHex::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click: the word first, then the press
    // itself, which arms the triple click.
    if (event->button() == Qt::LeftButton && !middleScroll_ && wordPos_ >= 0) {
        doubleClick_ = true;
        SelectWordOrLine(wordPos_, false);
        keepClickSelection_ = true;
    }
    mousePressEvent(event);
}

void TVuBinHex::LeftButtonDown(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const int64_t p = OffsetAtPoint(point);
    if (p < 0)
        return;  // nothing drawn
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ShiftModifier) {
        SetSelection(std::max<int64_t>(std::min(anchor_, p), 0), std::abs(p - anchor_), false, true);
        return;
    }
    if (tripleClick_ && NowMs() - secondClickMs_ <= QApplication::doubleClickInterval()) {
        tripleClick_ = false;
        doubleClick_ = false;
        if (wordPos_ >= 0) {
            SelectWordOrLine(wordPos_, true);
            keepClickSelection_ = true;
        }
    } else if (doubleClick_) {
        doubleClick_ = false;
        tripleClick_ = true;
        secondClickMs_ = NowMs();
    } else {
        tripleClick_ = false;
        keepClickSelection_ = false;
        SelectNone(false);
    }
    buttonDown_ = true;
    dragStart_ = p;
    anchor_ = p;
    wordPos_ = p > 0 ? model_.PrevCharStart(p) : -1;
    doubleClick_ = false;
    lastMouse_ = point;
}

void TVuBinHex::mouseMoveEvent(QMouseEvent* event)
{
    lastMouse_ = event->position().toPoint();
    if (!buttonDown_)
        return;
    const QSize client = viewport()->size();
    const TVuDragZone zone = DragZoneAt(lastMouse_.x(), lastMouse_.y(), client.width(), client.height(),
                                        model_.LeftMargin());
    dragZone_ = zone;
    if (zone == vdzNone) {
        dragTimer_.stop();
        ExtendSelectionTo(lastMouse_);
    } else if (!dragTimer_.isActive()) {
        dragTimer_.start();
    }
}

void TVuBinHex::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    buttonDown_ = false;
    dragStart_ = -1;
    StopDragScroll();
    emit OnSelectionChange();
}

void TVuBinHex::ExtendSelectionTo(QPoint point)
{
    const int64_t p = OffsetAtPoint(point);
    if (dragStart_ < 0 || p < 0)
        return;
    // A word or line a double or triple click selected stays while the
    // pointer trembles on the character it was clicked on.
    if (keepClickSelection_) {
        if (p == dragStart_)
            return;
        keepClickSelection_ = false;
    }
    SetSelection(std::min(dragStart_, p), std::abs(p - dragStart_), false, false);
}

void TVuBinHex::DragScrollTick()
{
    const QSize client = viewport()->size();
    switch (dragZone_) {
    case vdzUp:
        model_.LineUp(1);
        Redraw();
        ExtendSelectionTo(QPoint(0, -1));
        break;
    case vdzDown:
        model_.LineDown(1);
        Redraw();
        ExtendSelectionTo(QPoint(0, client.height() + 1));
        break;
    case vdzLeft:
        ScrollHorizontally(-kDragScrollPixels);
        ExtendSelectionTo(QPoint(-1, lastMouse_.y()));
        break;
    case vdzRight:
        ScrollHorizontally(kDragScrollPixels);
        ExtendSelectionTo(QPoint(client.width() + 1, lastMouse_.y()));
        break;
    case vdzNone:
        dragTimer_.stop();
        break;
    }
}

void TVuBinHex::StopDragScroll()
{
    dragTimer_.stop();
    dragZone_ = vdzNone;
}

void TVuBinHex::focusOutEvent(QFocusEvent* event)
{
    StopMiddleScroll();
    QAbstractScrollArea::focusOutEvent(event);
}
