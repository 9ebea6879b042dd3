// Colours as the settings and the viewer's properties store them: 32-bit
// values 0x00BBGGRR, or 0xFF0000nn for system colour nn (resolved against
// the desktop's palette when drawn).
#pragma once

#include <cstdint>

#include "text/core/VuSystemColors.h"  // clWindow, clWindowText, clGrayText

using TColor = uint32_t;

constexpr TColor kSystemColorFlag = 0xFF000000u;

constexpr bool IsSystemColor(TColor c) { return (c & kSystemColorFlag) == kSystemColorFlag; }
constexpr TColor SystemColor(uint8_t index) { return kSystemColorFlag | index; }

// The system colours the viewer family uses by name.
constexpr TColor clBtnFace = SystemColor(15);    // button face
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);

constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;
