// A button that shows one colour of the settings as a swatch and lets the
// user pick another in the colour dialog. It keeps the colour as the
// settings store it, so a system colour (0xFF0000nn) that the user does
// not touch comes back unchanged rather than as today's RGB value.
#pragma once

#include <QPushButton>

#include "viewer/core/VuColor.h"

class TColorButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(uint Color READ Color WRITE SetColor NOTIFY ColorChanged)

public:
    // A button named `name`; its colour starts black.
    TColorButton(const QString& name, QWidget* parent);

    TColor Color() const { return color_; }
    // Shows `color` at once; emits ColorChanged when it differs.
    void SetColor(TColor color);

    // Opens the colour dialog (object name "colordialog") on the current
    // colour; OK there sets the chosen colour as a plain 0x00BBGGRR value,
    // Cancel keeps the old one. True when a colour was chosen.
    bool ChooseColor();

signals:
    void ColorChanged(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor color_ = clBlack;
};
