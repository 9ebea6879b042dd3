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

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& error)
{
    std::string target = path;
    struct stat st{};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return Fail(error, EISDIR);
        if (::access(path.c_str(), W_OK) != 0)
            return Fail(error, errno);
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr)
            target = resolved;
    }
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = dir + "." + base + ".XXXXXX";

    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Fail(error, errno);
    auto abandon = [&](int code) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Fail(error, code);
    };

    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (::fchmod(fd, mode) != 0)
        return abandon(errno);
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return abandon(errno);
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        int code = errno;
        ::unlink(temp.c_str());
        return Fail(error, code);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int code = errno;
        ::unlink(temp.c_str());
        return Fail(error, code);
    }
    return true;
}
