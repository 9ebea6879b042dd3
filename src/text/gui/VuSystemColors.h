// Turning stored colours (0x00BBGGRR, or 0xFF0000nn for system colour nn)
// into Qt colours and back, through one table of system colours shared by
// every widget that draws them (text view, viewer, colour buttons).
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// The palette colour that stands for stored colour `c`. Every system colour
// number has one (unknown numbers fall back to the window background), so
// a colour from a hand-edited conf.ini is always drawable.
QColor ColorToQColor(uint32_t c, const QPalette& palette);

// ColorToQColor against the application's palette.
QColor ColorToQColor(uint32_t c);

// A plain 0x00BBGGRR value for `c` (its alpha is dropped).
uint32_t QColorToColor(const QColor& c);

// `c` with a system colour resolved against `palette`, as 0x00BBGGRR.
inline uint32_t ResolveColor(uint32_t c, const QPalette& palette) { return QColorToColor(ColorToQColor(c, palette)); }
