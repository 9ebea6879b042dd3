// The view modes of the viewer, the set of them the detection may not use,
// and the kinds of media player control.
#pragma once

#include <cstdint>
#include <initializer_list>

// Every file is shown in exactly one of these. The four text modes share
// the text and binary view; the others each have a sub-view of their own.
enum TVuViewerMode : uint8_t {
    vmodeText,     // text and binary view, text layout
    vmodeBinary,   // fixed-width binary lines
    vmodeHex,      // hexadecimal dump
    vmodeUnicode,  // 16-bit Unicode text
    vmodeRTF,      // rich text view; also UTF-8 text with a byte-order mark
    vmodeMedia,    // image box for image extensions, else a media player
    vmodeWeb,      // web document view
    vmodeWLX,      // the window of a Lister plugin
};

constexpr int kViewerModeCount = vmodeWLX + 1;

// A set of modes in one byte, bit n standing for mode n.
struct TVuViewerModes {
    uint8_t bits = 0;

    constexpr TVuViewerModes() = default;
    constexpr TVuViewerModes(std::initializer_list<TVuViewerMode> modes)
    {
        for (TVuViewerMode m : modes)
            bits = static_cast<uint8_t>(bits | Bit(m));
    }

    constexpr bool Contains(TVuViewerMode m) const { return (bits & Bit(m)) != 0; }
    constexpr bool Empty() const { return bits == 0; }
    constexpr void Include(TVuViewerMode m) { bits = static_cast<uint8_t>(bits | Bit(m)); }
    constexpr void Exclude(TVuViewerMode m) { bits = static_cast<uint8_t>(bits & ~Bit(m)); }
    constexpr bool operator==(const TVuViewerModes&) const = default;

    static constexpr uint8_t Bit(TVuViewerMode m) { return static_cast<uint8_t>(1u << m); }
};

// Which player control shows non-image media files inside the viewer.
enum TVuViewerMediaMode : uint8_t {
    vmmodeNone,   // no player
    vmmodeMCI,    // the simple media player control
    vmmodeWMP64,  // the classic player control (default)
    vmmodeWMP9,   // the newer player control
};
