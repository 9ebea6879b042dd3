#include "text/core/VuStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<TVuFileStream> TVuFileStream::Open(const std::string& fileName)
{
    if (fileName.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        int saved = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        errno = saved;
        return nullptr;
    }
    return std::unique_ptr<TVuFileStream>(new TVuFileStream(fd, fileName));
}

TVuFileStream::~TVuFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int64_t TVuFileStream::Size() const
{
    struct stat st{};
    if (::fstat(fd_, &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

int64_t TVuFileStream::ReadAt(int64_t offset, void* buffer, int64_t count)
{
    if (offset < 0 || count < 0)
        return -1;
    auto* out = static_cast<char*>(buffer);
    int64_t done = 0;
    // pread may return short counts on pipes or signals; loop until the end.
    while (done < count) {
        ssize_t n = ::pread(fd_, out + done, static_cast<size_t>(count - done), offset + done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

int64_t TVuMemoryStream::ReadAt(int64_t offset, void* buffer, int64_t count)
{
    if (offset < 0 || count < 0)
        return -1;
    const auto size = static_cast<int64_t>(data_.size());
    if (offset >= size)
        return 0;
    const int64_t n = std::min(count, size - offset);
    std::memcpy(buffer, data_.data() + offset, static_cast<size_t>(n));
    return n;
}
