// Turning stored colours (0x00BBGGRR, or 0xFF0000nn for system colour nn)
// into Qt colours and back.
#pragma once

#include <QColor>
#include <QPalette>

#include "viewer/core/VuColor.h"

// The palette colour that stands for system colour `c`; every system colour
// number has one (unknown numbers fall back to the window background), so
// a colour from a hand-edited conf.ini is always drawable.
QColor ColorToQColor(TColor c, const QPalette& palette);

// ColorToQColor against the application's palette.
QColor ColorToQColor(TColor c);

// A plain 0x00BBGGRR value for `c` (its alpha is dropped).
TColor QColorToColor(const QColor& c);
