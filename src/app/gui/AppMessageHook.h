// The main window's application-wide hook: it sees the keys, mouse
// buttons, moves and wheel turns of the window before the control under
// the cursor or with the focus does, and turns them into commands:
//
//   keys         Backspace / Space: previous / next file; Escape: close;
//                F3: find next (all while the window is active); with a
//                media stream and the focus on the viewer or the media
//                panel, Left / Right seek 5 s and Up / Down change the
//                volume; then the character keys of TForm1::FormKeyPress
//   mouse move   the automatic toolbar; over playing media the cursor
//                comes back and the media panel shows near the bottom
//   left up      pause on a click on the video (lmbpause)
//   left double  show or hide the file explorer (mousefileexplorer),
//                except on the toolbar row
//   right double media full screen, or full screen for other files
//   middle up    the 6.4 player's own full view
//   wheel        the volume over playing media
//
// A consumed event goes no further. Keys are taken at the first control
// of the window they reach; mouse events at the window itself, which Qt
// hands every move whether or not a control tracks the mouse.
//
// A control's context menu would open on the first press of a right
// double click and take the second one. So a context menu asked for by the
// mouse waits for the double-click time: a second right press within it
// makes it a double click and the menu is dropped; otherwise the control
// gets its menu then.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <cstdint>

class QContextMenuEvent;
class QKeyEvent;
class QWheelEvent;
class QWidget;
class TForm1;

class TAppMessageHook : public QObject {
    Q_OBJECT

public:
    // Installs itself on the application; removed when destroyed. `form`
    // must outlive the hook (the hook is its child).
    explicit TAppMessageHook(TForm1* form);
    ~TAppMessageHook() override;

    // The media keys' steps: 5 seconds in the library's 100-ns units, and
    // a twentieth of the wave-out range.
    static constexpr int64_t kSeekStep = 50'000'000;
    static constexpr int kVolumeStep = 3276;
    static constexpr int kVolumeMax = 65535;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool KeyDown(const QKeyEvent& key);
    void MouseMove(const QPoint& client, const QPoint& screen);
    void LeftUp(const QPoint& client);
    bool LeftDoubleClick(const QPoint& client);
    void RightDoubleClick();
    void MiddleUp();
    bool Wheel(const QPoint& client, const QWheelEvent& wheel);

    bool HoldContextMenu(QWidget* target, const QContextMenuEvent& menu);
    void ShowHeldContextMenu();

    bool ViewerOrPanelFocused() const;
    // True when the control at `client` (window coordinates) is `area` or
    // lies inside it, so nothing of the window covers `area` there.
    bool Over(const QWidget* area, const QPoint& client) const;
    void StepVolume(int delta);

    TForm1* form_;

    // The context menu waiting for the double-click time.
    struct HeldMenu {
        QPointer<QWidget> target;
        QPoint pos;
        QPoint globalPos;
        Qt::KeyboardModifiers modifiers;
    } held_;
    QTimer heldTimer_;
    bool replaying_ = false;
};
