// Copying the viewed file elsewhere without ever leaving a damaged copy
// where an older file stood.
#pragma once

#include <string>

// Copies `source` to `target` (UTF-8 names), replacing a file that is
// there: the bytes go to a temporary file beside the target, which is
// flushed and then renamed over it, so a failed copy leaves an existing
// target whole. The copy keeps the source's permission bits and times. A
// symbolic link at `target` is followed (the file it points to is
// replaced, the link stays).
//
// Returns true on success. On failure nothing is left behind and `error`
// holds the reason: the system's error text, or a sentence of its own when
// the target is a folder or the very file being copied (which would be
// read while it is replaced).
bool CopyFileReplacing(const std::string& source, const std::string& target, std::string& error);
