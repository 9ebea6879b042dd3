#include "text/core/VuxFProc.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

TVuFileHandle& TVuFileHandle::operator=(TVuFileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void TVuFileHandle::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool PathExists(const std::string& name, bool* isDirectory)
{
    struct stat st{};
    const bool exists = !name.empty() && ::stat(name.c_str(), &st) == 0;
    if (isDirectory)
        *isDirectory = exists && S_ISDIR(st.st_mode);
    return exists;
}

bool RegularFileExists(const std::string& name)
{
    bool dir = false;
    return PathExists(name, &dir) && !dir;
}

TVuFileHandle OpenForReading(const std::string& name)
{
    if (name.empty())
        return {};
    // O_NONBLOCK keeps a FIFO from blocking the open; reads stay blocking
    // for regular files, which ignore the flag.
    TVuFileHandle h(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st{};
    if (h.Valid() && (::fstat(h.Fd(), &st) != 0 || S_ISDIR(st.st_mode)))
        h.Close();
    return h;
}

bool CanOpenFile(const std::string& name) { return OpenForReading(name).Valid(); }

int64_t HandleFileSize(const TVuFileHandle& handle)
{
    struct stat st{};
    if (!handle.Valid() || ::fstat(handle.Fd(), &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

bool FileSizeAndTime(const std::string& name, int64_t& size, int64_t& lastWriteNs)
{
    size = 0;
    lastWriteNs = 0;
    struct stat st{};
    if (name.empty() || ::stat(name.c_str(), &st) != 0)
        return false;
    size = static_cast<int64_t>(st.st_size);
    lastWriteNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

std::string ShortPathOf(const std::string& name) { return name; }

std::string FullPathOf(const std::string& name)
{
    if (name.empty())
        return {};
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(name), ec);
    if (ec)
        return {};
    return p.lexically_normal().string();
}

std::string AnsiNameOf(const std::string& name) { return CanOpenFile(name) ? name : std::string(); }
