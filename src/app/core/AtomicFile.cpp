#include "app/core/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process umask, from /proc (reading it with umask() would change it
// for a moment under any other thread creating files).
mode_t CurrentUmask()
{
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 022;
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "Umask: %o", &mask) == 1)
                break;
        std::fclose(f);
        return static_cast<mode_t>(mask);
    }
    return 022;
}

bool Fail(std::string& error, int code)
{
    error = std::strerror(code);
    return false;
}

}  // namespace

TReplacementFile::~TReplacementFile()
{
    Abandon();
}

void TReplacementFile::Abandon()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
        fd_ = -1;
    }
}

bool TReplacementFile::Create(const std::string& target, std::string& error)
{
    Abandon();
    target_ = target;
    char resolved[PATH_MAX];
    if (::realpath(target.c_str(), resolved) != nullptr)
        target_ = resolved;
    const size_t slash = target_.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    temp_ = dir + "." + base + ".XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0)
        return Fail(error, errno);
    return true;
}

bool TReplacementFile::Write(const char* data, size_t size, std::string& error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(error, n < 0 ? errno : EIO);
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool TReplacementFile::Commit(std::string& error)
{
    if (::fsync(fd_) != 0)
        return Fail(error, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp_.c_str());
        return Fail(error, code);
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& error)
{
    struct stat st{};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return Fail(error, EISDIR);
        if (::access(path.c_str(), W_OK) != 0)
            return Fail(error, errno);
    }
    TReplacementFile file;
    if (!file.Create(path, error))
        return false;
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (::fchmod(file.Fd(), mode) != 0)
        return Fail(error, errno);
    return file.Write(data.data(), data.size(), error) && file.Commit(error);
}
