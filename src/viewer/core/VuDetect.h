// Choosing the view mode of a newly opened file: the Lister plugins, the
// five extension lists and a test of the file's first bytes, in a fixed
// order where the first step that decides ends the detection.
#pragma once

#include <cstdint>
#include <string>

#include "text/core/VuxCodepages.h"
#include "viewer/core/VuViewerModes.h"

// The detection settings the viewer publishes, with their defaults.
struct TVuDetectSettings {
    bool ModeDetect = true;                  // run the detection on every open (checked by the caller)
    TVuViewerMode ModeUndetected = vmodeText;  // mode given when nothing matched
    TVuViewerModes ModesDisabledForDetect;   // modes the detection may not choose
    bool TextDetect = true;                  // run the content test
    uint32_t TextDetectSize = 2;             // KB read for the text test; 0 turns it off
    uint32_t TextDetectLimit = 0;            // larger files (KB) are never text; 0 = no limit
    bool TextDetectOEM = true;               // tell OEM text from ANSI and set the encoding
    bool PluginsFirst = true;                // ask the plugins before the lists, else last
};

// What the plugin host offers the detection: open the file in the first
// plugin whose detect string accepts it. The plugin host implements it;
// without one no plugin ever takes a file.
class TVuPluginProbe {
public:
    virtual ~TVuPluginProbe() = default;

    // Tries the loaded plugins with their detect strings honoured (not
    // forced). True when one took the file; it then already shows it.
    virtual bool OpenMatched(const std::string& fileName) = 0;
};

// The outcome the detection writes back into the viewer.
struct TVuDetectResult {
    TVuViewerMode Mode = vmodeText;
    TVuEncoding Encoding = vEncANSI;
};

// The content test of the file `fileName` (UTF-8): a UTF-16 byte-order mark
// gives vmodeUnicode, a UTF-8 one vmodeRTF, plain text vmodeText. With
// TextDetectOEM on, the text's encoding is set too: vEncUTF8 when the bytes
// read are UTF-8 with at least one multi-byte sequence, else vEncOEM or
// vEncANSI by the OEM rule (the encoding is left alone with it off). Returns false, changing nothing, when the file cannot be
// opened or none of the enabled tests says yes.
bool DetectText(const std::string& fileName, const TVuDetectSettings& settings, TVuDetectResult& result);

// The whole detection for `fileName`; `probe` may be null (no plugins).
// Always decides: the result's Mode is set, and its Encoding is vEncANSI,
// vEncOEM, vEncUTF8 or left as it was (only with TextDetectOEM off). Never reports an
// error: an unreadable file falls through to ModeUndetected or a plugin.
void DetectMode(const std::string& fileName, const TVuDetectSettings& settings, TVuPluginProbe* probe,
                TVuDetectResult& result);
