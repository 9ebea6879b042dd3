// File routines of the viewer family over POSIX. File names are UTF-8
// bytes; sharing is what POSIX does anyway (others may read, write and
// delete a file while the viewer has it open). Nothing here writes.
#pragma once

#include <cstdint>
#include <string>

// An open read-only file descriptor, closed when the handle goes away.
class TVuFileHandle {
public:
    TVuFileHandle() = default;
    explicit TVuFileHandle(int fd) : fd_(fd) {}
    ~TVuFileHandle() { Close(); }
    TVuFileHandle(TVuFileHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    TVuFileHandle& operator=(TVuFileHandle&& other) noexcept;
    TVuFileHandle(const TVuFileHandle&) = delete;
    TVuFileHandle& operator=(const TVuFileHandle&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Close();

private:
    int fd_ = -1;
};

// True when `name` names something that exists; `isDirectory`, when
// given, tells whether it is a folder (false when it does not exist).
// A symbolic link counts as what it points to.
bool PathExists(const std::string& name, bool* isDirectory = nullptr);

// Exists and is not a folder.
bool RegularFileExists(const std::string& name);

// Opens `name` read-only; an invalid handle when it cannot be opened or is
// a folder.
TVuFileHandle OpenForReading(const std::string& name);

// OpenForReading succeeds (the file is closed again at once).
bool CanOpenFile(const std::string& name);

// Size of the open file in bytes; -1 when the handle is invalid or the
// size cannot be read.
int64_t HandleFileSize(const TVuFileHandle& handle);

// Size and last-write time (nanoseconds since 1970-01-01 UTC) of `name`;
// false, with both zero, when it does not exist.
bool FileSizeAndTime(const std::string& name, int64_t& size, int64_t& lastWriteNs);

// There are no short (8.3) names here: the name itself.
std::string ShortPathOf(const std::string& name);

// `name` made absolute against the current folder, "." and ".." resolved
// by the text alone (links are not followed, the file need not exist).
// Empty for an empty name or when the current folder is unknown.
std::string FullPathOf(const std::string& name);

// The name a plugin is given: `name` itself when the file can be opened
// under it (names are UTF-8 everywhere), else empty.
std::string AnsiNameOf(const std::string& name);
