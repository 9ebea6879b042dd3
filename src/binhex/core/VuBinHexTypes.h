// Shared names of the text and binary view: its modes, the popup commands,
// colours and the fixed sizes its buffer is built from.
#pragma once

#include <cstdint>

#include "text/core/VuSystemColors.h"  // clWindow, clWindowText, clGrayText

enum TVuBinHexMode : uint8_t { vbmodeText, vbmodeBinary, vbmodeHex, vbmodeUnicode, vbmodeUHex };

constexpr int kBinHexModeCount = vbmodeUHex + 1;

// Commands of the view's context menu; TVuPopupCommands is a set of them
// (bit n stands for command n).
enum TVuPopupCommand : uint8_t { vpCmdCopy, vpCmdCopyHex, vpCmdSelectLine, vpCmdSelectAll, vpCmdEncMenu };
using TVuPopupCommands = uint8_t;
constexpr TVuPopupCommands PopupCommandBit(TVuPopupCommand cmd) { return TVuPopupCommands(1u << cmd); }
constexpr TVuPopupCommands vpCmdsAll = 0x1F;

// Colours are $00BBGGRR values; $FF0000nn stands for system colour nn and is
// resolved by the widget before anything is drawn.
using TVuColor = uint32_t;
constexpr TVuColor clSystemFlag = 0xFF000000u;

constexpr bool IsUnicodeMode(TVuBinHexMode mode) { return mode == vbmodeUnicode || mode == vbmodeUHex; }
constexpr bool IsTextMode(TVuBinHexMode mode) { return mode == vbmodeText || mode == vbmodeUnicode; }
constexpr bool IsFixedMode(TVuBinHexMode mode) { return !IsTextMode(mode); }

// Bytes of one character in a mode.
constexpr int ModeCharSize(TVuBinHexMode mode) { return IsUnicodeMode(mode) ? 2 : 1; }

// Most characters in one displayed line, per mode. The buffer is sized from
// it: one block holds kMaxDrawLines lines of LineLimit characters.
constexpr int kLineLimit[kBinHexModeCount] = {300, 300, 300, 300, 300};
constexpr int LineLimit(TVuBinHexMode mode) { return kLineLimit[mode]; }

// Most lines one drawing lays out.
constexpr int kMaxDrawLines = 200;

// Largest selection copied to the clipboard, in megabytes.
constexpr int CopyLimitMB = 16;
