// The five process-wide extension lists that map file extensions to view
// modes. Each is a comma-separated list of lower-case extensions without
// dots. They start with the built-in values below, are replaced whole from
// conf.ini section "ext", edited in the options dialog and written back at
// close. Only the user-interface thread touches them.
#pragma once

#include <string>

#include "text/core/VuxFileTests.h"  // ExtensionInList, ExtInTwoLists

extern const char* const kDefaultExtTextList;
extern const char* const kDefaultExtRtfList;
extern const char* const kDefaultExtImagesList;
extern const char* const kDefaultExtMediaList;
extern const char* const kDefaultExtWebList;

extern std::string ExtTextList;    // conf.ini key "text"   → vmodeText
extern std::string ExtRtfList;     // conf.ini key "rtf"    → vmodeRTF
extern std::string ExtImagesList;  // conf.ini key "images" → vmodeMedia, image box
extern std::string ExtMediaList;   // conf.ini key "media"  → vmodeMedia, player
extern std::string ExtWebList;     // conf.ini key "web"    → vmodeWeb

// Puts the five lists back to their built-in values.
void ResetExtensionLists();
