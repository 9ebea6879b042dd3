#include "app/core/FileCopy.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/core/AtomicFile.h"
#include "text/core/VuxFProc.h"

namespace {

bool Fail(std::string& error, int code)
{
    error = std::strerror(code);
    return false;
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
    }
    TReplacementFile out;
    if (!out.Create(target, error))
        return false;

    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in.Fd(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(error, errno);
        if (n == 0)
            break;
        if (!out.Write(buffer.data(), size_t(n), error))
            return false;
    }
    if (::fchmod(out.Fd(), src.st_mode & 07777) != 0)
        return Fail(error, errno);
    const struct timespec times[2] = {src.st_atim, src.st_mtim};
    ::futimens(out.Fd(), times);  // the copy's times matter less than its bytes
    return out.Commit(error);
}
