// Replacing a file in one step, so that a failed write never leaves a
// half-written or empty file where the old one was.
#pragma once

#include <string>
#include <string_view>

// A temporary file beside a target that takes the target's place only when
// committed; destroyed uncommitted, it is removed and the target untouched.
//
//   Create(target) -> Write()... -> Commit()   (fsync, close, rename over)
//
// A symbolic link at the target is followed: the file it points to is
// replaced and the link stays.
class TReplacementFile {
public:
    TReplacementFile() = default;
    ~TReplacementFile();
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;

    // Makes the temporary file beside `target`. False, with the system's
    // error text in `error`, when it cannot be made.
    bool Create(const std::string& target, std::string& error);

    // Writes all of `data`, retrying short writes.
    bool Write(const char* data, size_t size, std::string& error);

    // The temporary file's descriptor, for permission bits and times.
    int Fd() const { return fd_; }

    // Flushes the file to disk and renames it over the target.
    bool Commit(std::string& error);

private:
    void Abandon();
    int fd_ = -1;
    std::string temp_;
    std::string target_;
};

// Writes `data` through a TReplacementFile. An existing file keeps its
// permission bits; a new one gets 0666 less the umask.
//
// Returns true on success. On failure `path` is untouched, the temporary
// file is removed and `error` holds the reason (the system's error text).
// A file that exists but is not writable (read-only) is refused rather
// than replaced, as writing into it would be.
bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& error);
