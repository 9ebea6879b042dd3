#include "app/gui/AppMessageHook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QStyleHints>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

#include "app/gui/Form1.h"
#include "app/gui/SpeedButton.h"
#include "viewer/gui/VuViewer.h"

namespace {

// The character a key press types, as the window's key preview sees it: a
// letter with Ctrl is its control character (Ctrl+F is 6); Alt types none.
QChar TypedCharacter(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods & Qt::AltModifier)
        return {};
    if (mods & Qt::ControlModifier) {
        if (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
            return QChar(char16_t(key.key() - Qt::Key_A + 1));
        return {};
    }
    const QString text = key.text();
    return text.size() == 1 ? text.front() : QChar();
}

// A plain wheel step: one notch, no key or button held.
int WheelNotch(const QWheelEvent& wheel)
{
    if (wheel.modifiers() != Qt::NoModifier || wheel.buttons() != Qt::NoButton || wheel.angleDelta().x() != 0)
        return 0;
    const int dy = wheel.angleDelta().y();
    return dy == 120 ? 1 : (dy == -120 ? -1 : 0);
}

bool Within(const QWidget* w, const QWidget* focus)
{
    return focus && w && (focus == w || w->isAncestorOf(focus));
}

}  // namespace

TAppMessageHook::TAppMessageHook(TForm1* form) : QObject(form), form_(form)
{
    heldTimer_.setSingleShot(true);
    connect(&heldTimer_, &QTimer::timeout, this, &TAppMessageHook::ShowHeldContextMenu);
    qApp->installEventFilter(this);
}

TAppMessageHook::~TAppMessageHook()
{
    qApp->removeEventFilter(this);
}

bool TAppMessageHook::eventFilter(QObject* watched, QEvent* event)
{
    if (!form_->viewer)  // the window is being taken down
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        // A press reaches every control up the parent chain that ignores
        // it; only the first delivery, to a control of the window, counts.
        if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != form_)
            return false;
        return KeyDown(*static_cast<QKeyEvent*>(event));
    }

    if (type == QEvent::ContextMenu) {
        if (replaying_ || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != form_)
            return false;
        return HoldContextMenu(static_cast<QWidget*>(watched), *static_cast<QContextMenuEvent*>(event));
    }

    if (watched != form_->windowHandle())
        return false;
    switch (type) {
    case QEvent::MouseMove: {
        const auto* m = static_cast<QMouseEvent*>(event);
        MouseMove(m->position().toPoint(), m->globalPosition().toPoint());
        return false;
    }
    case QEvent::MouseButtonRelease: {
        const auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::LeftButton)
            LeftUp(m->position().toPoint());
        else if (m->button() == Qt::MiddleButton)
            MiddleUp();
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        const auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::LeftButton)
            return LeftDoubleClick(m->position().toPoint());
        if (m->button() == Qt::RightButton) {
            // The second press: no menu for the first.
            heldTimer_.stop();
            held_.target = nullptr;
            RightDoubleClick();
        }
        return false;
    }
    case QEvent::Wheel: {
        const auto* w = static_cast<QWheelEvent*>(event);
        return Wheel(w->position().toPoint(), *w);
    }
    default:
        return false;
    }
}

// --- Context menus ------------------------------------------------------------------------------

bool TAppMessageHook::HoldContextMenu(QWidget* target, const QContextMenuEvent& menu)
{
    if (menu.reason() != QContextMenuEvent::Mouse)
        return false;
    held_ = {target, menu.pos(), menu.globalPos(), menu.modifiers()};
    heldTimer_.start(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    return true;
}

void TAppMessageHook::ShowHeldContextMenu()
{
    QWidget* target = held_.target;
    held_.target = nullptr;
    if (!target || !target->isVisible())
        return;
    QContextMenuEvent menu(QContextMenuEvent::Mouse, held_.pos, held_.globalPos, held_.modifiers);
    replaying_ = true;
    QCoreApplication::sendEvent(target, &menu);
    replaying_ = false;
}

// --- Keys -----------------------------------------------------------------------------------------

bool TAppMessageHook::KeyDown(const QKeyEvent& key)
{
    if (QApplication::activeWindow() == form_) {
        switch (key.key()) {
        case Qt::Key_Backspace:
            form_->btnprew->click();
            return true;
        case Qt::Key_Escape:
            form_->close();
            return true;
        case Qt::Key_Space:
            form_->btnnext->click();
            return true;
        case Qt::Key_F3:
            form_->DoFind(false);
            return true;
        default:
            break;
        }
    }

    TMediaLibrary* media = form_->Media();
    if (media->MediaStreamAvailable() && ViewerOrPanelFocused() && !form_->TimerBusy) {
        switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            int64_t position = media->getMediaStreamPos() + (key.key() == Qt::Key_Left ? -kSeekStep : kSeekStep);
            // A seek never leaves the stream: before its start is its start,
            // past its end its end.
            const int64_t duration = media->getMediaStreamDuration();
            if (duration > 0)
                position = std::min(position, duration);
            media->setMediaStreamPos(std::max<int64_t>(position, 0));
            return true;
        }
        case Qt::Key_Up:
            StepVolume(kVolumeStep);
            return true;
        case Qt::Key_Down:
            StepVolume(-kVolumeStep);
            return true;
        default:
            break;
        }
    }

    const QChar typed = TypedCharacter(key);
    return !typed.isNull() && form_->FormKeyPress(typed);
}

void TAppMessageHook::StepVolume(int delta)
{
    TMediaLibrary* media = form_->Media();
    media->setWaveOutVolume(std::clamp(media->getWaveOutVolume() + delta, 0, kVolumeMax));
}

bool TAppMessageHook::ViewerOrPanelFocused() const
{
    const QWidget* focus = QApplication::focusWidget();
    return Within(form_->viewer, focus) || Within(form_->mediapanel1, focus);
}

bool TAppMessageHook::Over(const QWidget* area, const QPoint& client) const
{
    return Within(area, form_->childAt(client));
}

// --- Mouse ------------------------------------------------------------------------------------------

void TAppMessageHook::MouseMove(const QPoint& client, const QPoint& screen)
{
    if (form_->automenu)
        form_->showhideM(client);
    if (!form_->Media()->MediaStreamAvailable())
        return;
    if (screen != form_->SampledCursorPos && !form_->CursorShown)
        form_->SetCursorShown(true);

    // The media panel shows while the cursor is over the bottom strip of
    // the viewer, as high as the panel.
    const QWidget* viewer = form_->viewer;
    QFrame* panel = form_->mediapanel1;
    const int left = viewer->x();
    const bool overStrip = client.x() > left && client.x() < left + viewer->width() &&
                           client.y() < viewer->height() && client.y() > viewer->height() - panel->height();
    if (overStrip) {
        panel->setGeometry(left, viewer->height() - panel->height(), viewer->width(), panel->height());
        panel->show();
        panel->raise();
    } else if (panel->isVisible()) {
        panel->hide();
    }
}

void TAppMessageHook::LeftUp(const QPoint& client)
{
    if (!form_->lmbpause || !form_->Media()->MediaStreamAvailable())
        return;
    // Only a click on the picture itself, not on a panel or a toolbar
    // button over it.
    if (!Over(form_->viewer, client))
        return;
    if (auto* playpause = form_->mediapanel1->findChild<QAbstractButton*>(QStringLiteral("playpause")))
        playpause->click();
}

bool TAppMessageHook::LeftDoubleClick(const QPoint& client)
{
    if (!form_->mousefileexplorer)
        return false;
    const QWidget* left = form_->leftpanel;
    const QWidget* right = form_->rightpanel;
    const QWidget* next = form_->btnnext;
    const bool onToolbarRow = client.x() > left->x() && client.x() < right->x() + right->width() &&
                              client.y() > next->y() && client.y() < next->y() + next->height();
    if (onToolbarRow)
        return false;
    form_->ToolButton(QStringLiteral("btnpanels"))->click();
    return true;
}

void TAppMessageHook::RightDoubleClick()
{
    TVuViewer* viewer = form_->viewer;
    const bool stream = form_->Media()->MediaStreamAvailable();
    const bool showsMedia = viewer->Mode() == vmodeMedia && !viewer->IsImage();
    if ((viewer->MediaMode() == vmmodeWMP64 && showsMedia) || stream)
        form_->ToggleMediaFullScreen();
    if (!viewer->IsMedia() && !form_->Media()->MediaStreamAvailable())
        form_->ToolButton(QStringLiteral("showfull"))->click();
    if (viewer->MediaMode() == vmmodeWMP9 && showsMedia)
        viewer->SetMediaFull(!viewer->MediaFull());
}

void TAppMessageHook::MiddleUp()
{
    TVuViewer* viewer = form_->viewer;
    if (viewer->MediaMode() == vmmodeWMP64 && viewer->Mode() == vmodeMedia && !viewer->IsImage())
        viewer->SetMediaFull(!viewer->MediaFull());
}

bool TAppMessageHook::Wheel(const QPoint& client, const QWheelEvent& wheel)
{
    if (!form_->Media()->MediaStreamAvailable() || form_->TimerBusy)
        return false;
    const bool overMedia = Over(form_->viewer, client) || Over(form_->mediapanel1, client) || ViewerOrPanelFocused();
    const int notch = WheelNotch(wheel);
    if (!overMedia || notch == 0)
        return false;
    StepVolume(notch * kVolumeStep);
    return true;
}
