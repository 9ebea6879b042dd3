// The program's built-in message strings, fetched by numeric identifier so
// that a language file's "[RESOURCESTRINGS]" section can replace them.
//
// Every identifier lives in TResStringId below (the one table language
// files refer to). A subsystem registers the built-in text of each of its
// identifiers, optionally with the process-wide variable its code shows;
// after a language is loaded RefreshResStrings() writes the translated (or
// built-in) text into every registered variable. The viewer family's texts
// (ViewerMessages) are registered from the start.
#pragma once

#include <cstdint>
#include <string>

#include "i18n/core/ResStringer.h"

enum TResStringId : int32_t {
    // The viewer family (text/core/VuViewerMsg.h), in its declaration order.
    rsViewerCaption = 1000,
    rsFileNotFound,
    rsCannotOpenFile,
    rsCannotLoadFile,
    rsCannotReadFile,
    rsCannotReadStream,
    rsReadErrorAtOffset,
    rsUnknownImageFormat,
    rsUnknownMediaFormat,
    rsCannotInitialize,
    rsCannotCopyToClipboard,
    rsPluginException,
    rsPluginsNoParent,

    // The shell's dialogs.
    rsErrorCaption = 2000,  // "Error"
    rsCantOpenFile,         // "Can't open file!"
    rsTextNotFound,         // the not-found box when no language file names it
    rsCannotCopyFile,       // "Cannot copy the file to %s: %s" (target, reason)
    rsCannotStartProgram,   // "Cannot start %s" (the program)
};

// The process-wide message-string translations (the localizer loads them).
TResStringer& ResStringer();

// The text of `id` as the program shows it: while the message-string
// redirect is on, the language file's translation when ResStringer() has
// one; otherwise the built-in text. Line breaks come as LF (the file's CR LF
// and CR are turned into LF). An identifier nobody registered gives an
// empty string.
std::u16string LoadResString(int32_t id);

// The message-string redirect: on from the start of the process; the
// localizer switches it off when it is destroyed. Switching it to the
// state it has does nothing.
bool ResStringRedirectEnabled();
void SetResStringRedirect(bool on);

// The built-in text of `id` alone (empty when unregistered).
std::u16string BuiltInResString(int32_t id);

// Registers (or replaces) the built-in text of `id`. When `variable` is
// given, RefreshResStrings keeps it equal to LoadResString(id); it must
// live as long as the process (a process-wide variable).
void RegisterResString(int32_t id, std::u16string builtIn, std::u16string* variable = nullptr);

// Writes LoadResString(id) into every registered variable.
void RefreshResStrings();
