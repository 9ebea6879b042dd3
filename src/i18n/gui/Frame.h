// A frame: a designed part that several forms can embed. The localizer
// translates a frame with the section named after its own class, and a
// language-file path reaches the components inside it through the frame's
// name (frame.button.Caption).
#pragma once

#include <QFrame>

class TFrame : public QFrame {
    Q_OBJECT
public:
    explicit TFrame(QWidget* parent = nullptr) : QFrame(parent) {}
};
