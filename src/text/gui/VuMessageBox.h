// Message boxes of the viewer family over QMessageBox.
#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// Buttons and icon of a box, with the values callers know them by.
enum TVuMessageBoxFlags : uint32_t {
    mbOk = 0x00, mbOkCancel = 0x01, mbAbortRetryIgnore = 0x02, mbYesNoCancel = 0x03,
    mbYesNo = 0x04, mbRetryCancel = 0x05,
    mbIconError = 0x10, mbIconQuestion = 0x20, mbIconWarning = 0x30, mbIconInformation = 0x40,
};

// The answer: which button closed the box.
enum TVuMessageBoxResult : int {
    mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
};

// Shows a modal box with `text`, `caption`, the buttons and icon of
// `flags`, raised above the other windows. A null `owner` means the
// application's active window, or its first visible top-level window.
// Returns the button pressed (Escape or closing gives Cancel or No where
// the box has one, else the only button).
TVuMessageBoxResult ShowMessageBox(const QString& text, const QString& caption, uint32_t flags,
                                   QWidget* owner = nullptr);

// An error box captioned with ViewerMessages.Caption ("Viewer").
void ViewerMessage(const QString& text, QWidget* owner);

// Routes the plain libraries' ViewerMessage(text) to ViewerMessage(text,
// nullptr). The application calls it once at start.
void InstallViewerMessageBox();
