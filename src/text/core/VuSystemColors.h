// The system colours that both the viewer and its text view name: stored
// colours are 0x00BBGGRR values, or 0xFF0000nn for system colour nn, which
// the widgets resolve against the desktop's palette when they draw. They
// live here, below both, so a unit that uses both sees one definition.
#pragma once

#include <cstdint>

inline constexpr uint32_t clWindow = 0xFF000005u;      // window background
inline constexpr uint32_t clWindowText = 0xFF000008u;  // window text
inline constexpr uint32_t clGrayText = 0xFF000011u;    // disabled (grey) text
