// The application-wide key hook of the main window: it sees every key
// press before the control with the focus does, so Backspace and Space
// step to the previous and next file from anywhere in the window (the
// file list, the viewer, a toolbar button) while the window is active.
#pragma once

#include <QObject>

class TForm1;

class TAppMessageHook : public QObject {
    Q_OBJECT

public:
    // Installs itself on the application; removed when destroyed. `form`
    // must outlive the hook (the hook is its child).
    explicit TAppMessageHook(TForm1* form);
    ~TAppMessageHook() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1* form_;
};
