// Small helpers shared by the file watcher's tests: a scratch folder that
// removes itself, whole-file writes, and a counter of callbacks that a test
// can wait on.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>

namespace filenotif_test {

// A fresh folder under the temporary directory, removed with its contents.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "peekwell-watch-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Writes `data` to `path`, replacing its contents (or appending).
inline void WriteFile(const std::string& path, const std::string& data, bool append = false)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC), 0644);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    const ssize_t n = ::write(fd, data.data(), data.size());
    ::close(fd);
    if (n != static_cast<ssize_t>(data.size()))
        throw std::runtime_error("cannot write " + path);
}

// Counts calls from any thread; a test waits until a number is reached.
class CallCounter {
public:
    void operator()()
    {
        {
            std::lock_guard guard(mutex_);
            ++count_;
        }
        changed_.notify_all();
    }

    int Count()
    {
        std::lock_guard guard(mutex_);
        return count_;
    }

    // True when at least `n` calls have come within `timeout`.
    bool WaitFor(int n, std::chrono::milliseconds timeout = std::chrono::seconds(3))
    {
        std::unique_lock guard(mutex_);
        return changed_.wait_for(guard, timeout, [&] { return count_ >= n; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

// How long a test waits to be sure that nothing is coming. The worker
// reacts within a millisecond; this leaves room for a loaded machine.
inline constexpr std::chrono::milliseconds kQuietPeriod{300};

}  // namespace filenotif_test
