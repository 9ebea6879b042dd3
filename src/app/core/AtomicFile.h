// Replacing a small file in one step, so that a failed write never leaves
// a half-written or empty file where the old one was.
#pragma once

#include <string>
#include <string_view>

// Writes `data` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. A symbolic link at `path` is followed, so the
// file it points to is replaced and the link stays. An existing file keeps
// its permission bits; a new one gets 0666 less the umask.
//
// Returns true on success. On failure `path` is untouched, the temporary
// file is removed and `error` holds the reason (the system's error text).
// A file that exists but is not writable (read-only) is refused rather
// than replaced, as writing into it would be.
bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& error);
