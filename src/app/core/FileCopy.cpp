#include "app/core/FileCopy.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "text/core/VuxFProc.h"

namespace {

bool Fail(std::string& error, int code)
{
    error = std::strerror(code);
    return false;
}

bool WriteAll(int fd, const char* p, size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= size_t(w);
    }
    return true;
}

}  // namespace

bool CopyFileReplacing(const std::string& source, const std::string& target, std::string& error)
{
    TVuFileHandle in = OpenForReading(source);
    if (!in.Valid())
        return Fail(error, errno ? errno : ENOENT);
    struct stat src{};
    if (::fstat(in.Fd(), &src) != 0)
        return Fail(error, errno);

    std::string path = target;
    struct stat dst{};
    if (::stat(target.c_str(), &dst) == 0) {
        if (S_ISDIR(dst.st_mode)) {
            error = "the target is a folder";
            return false;
        }
        if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) {
            error = "the target is the file being copied";
            return false;
        }
        char resolved[PATH_MAX];
        if (::realpath(target.c_str(), resolved) != nullptr)
            path = resolved;
    }
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = dir + "." + base + ".XXXXXX";

    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Fail(error, errno);
    auto abandon = [&](int code) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Fail(error, code);
    };

    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in.Fd(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return abandon(errno);
        if (n == 0)
            break;
        if (!WriteAll(fd, buffer.data(), size_t(n)))
            return abandon(errno ? errno : EIO);
    }
    if (::fchmod(fd, src.st_mode & 07777) != 0)
        return abandon(errno);
    const struct timespec times[2] = {src.st_atim, src.st_mtim};
    ::futimens(fd, times);  // the copy's times matter less than its bytes
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return Fail(error, code);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return Fail(error, code);
    }
    return true;
}
