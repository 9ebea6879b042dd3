#include "binhex/core/VuFileNotification.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <map>
#include <system_error>
#include <thread>

namespace {

// Closes a descriptor when it goes out of scope.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) {
            Reset();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// How often a vanished folder is looked for.
constexpr int kFolderRetryMs = 250;

constexpr uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

// The inotify events that can carry a change of the filters in `mask`. The
// folder's own deletion or move is always watched: it ends or renews the watch.
uint32_t InotifyMaskFor(uint32_t mask, bool subtree)
{
    uint32_t events = IN_DELETE_SELF | IN_MOVE_SELF;
    if (mask & (kNotifyChangeFileName | kNotifyChangeDirName))
        events |= kNameEvents;
    if (mask & kNotifyChangeCreation)
        events |= IN_CREATE | IN_MOVED_TO;
    // Permissions, owners and times set by hand all arrive as IN_ATTRIB.
    if (mask & (kNotifyChangeAttributes | kNotifyChangeSecurity | kNotifyChangeLastWrite | kNotifyChangeLastAccess))
        events |= IN_ATTRIB;
    if (mask & (kNotifyChangeSize | kNotifyChangeLastWrite))
        events |= IN_MODIFY;
    // A write through a mapping shows up only when the file is closed.
    if (mask & kNotifyChangeLastWrite)
        events |= IN_CLOSE_WRITE;
    if (mask & kNotifyChangeLastAccess)
        events |= IN_ACCESS;
    // Following the tree needs to see folders come and go whatever the mask.
    if (subtree)
        events |= kNameEvents;
    return events;
}

// Whether one event is a change the filters in `mask` select (folder mode).
bool EventMatches(uint32_t event, uint32_t mask)
{
    if (event & kNameEvents) {
        const uint32_t nameFilter = (event & IN_ISDIR) ? kNotifyChangeDirName : kNotifyChangeFileName;
        if (mask & nameFilter)
            return true;
        if ((event & (IN_CREATE | IN_MOVED_TO)) && (mask & kNotifyChangeCreation))
            return true;
    }
    if ((event & IN_ATTRIB) &&
        (mask & (kNotifyChangeAttributes | kNotifyChangeSecurity | kNotifyChangeLastWrite | kNotifyChangeLastAccess)))
        return true;
    if ((event & IN_MODIFY) && (mask & (kNotifyChangeSize | kNotifyChangeLastWrite)))
        return true;
    if ((event & IN_CLOSE_WRITE) && (mask & kNotifyChangeLastWrite))
        return true;
    if ((event & IN_ACCESS) && (mask & kNotifyChangeLastAccess))
        return true;
    return false;
}

int64_t Nanoseconds(const struct statx_timestamp& t)
{
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

bool HasPrefixFolder(const std::string& path, const std::string& folder)
{
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                                 path[folder.size()] == '/');
}

}  // namespace

uint32_t FileNotifyFilter(TVuFileNotifyOption option)
{
    switch (option) {
    case foNotifyFilename: return kNotifyChangeFileName;
    case foNotifyDirname: return kNotifyChangeDirName;
    case foNotifyAttributes: return kNotifyChangeAttributes;
    case foNotifySize: return kNotifyChangeSize;
    case foNotifyLastWrite: return kNotifyChangeLastWrite;
    case foNotifyLastAccess: return kNotifyChangeLastAccess;
    case foNotifyCreation: return kNotifyChangeCreation;
    case foNotifySecurity: return kNotifyChangeSecurity;
    }
    return 0;
}

uint32_t FileNotifyMask(TVuFileNotifyOptions options)
{
    uint32_t mask = 0;
    for (int o = foNotifyFilename; o <= foNotifySecurity; ++o) {
        const auto option = static_cast<TVuFileNotifyOption>(o);
        if (options.Contains(option))
            mask |= FileNotifyFilter(option);
    }
    return mask;
}

FileSnapshot TakeFileSnapshot(const std::string& fileName)
{
    FileSnapshot s;
    struct statx sx {};
    if (fileName.empty() ||
        ::statx(AT_FDCWD, fileName.c_str(), AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return s;
    s.Exists = true;
    s.Size = static_cast<int64_t>(sx.stx_size);
    s.Attributes = sx.stx_mode;
    s.LastWriteTime = Nanoseconds(sx.stx_mtime);
    s.LastAccessTime = Nanoseconds(sx.stx_atime);
    s.CreationTime = (sx.stx_mask & STATX_BTIME) ? Nanoseconds(sx.stx_btime) : 0;
    s.Device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    s.Inode = sx.stx_ino;
    return s;
}

bool FileSnapshotChanged(const FileSnapshot& before, const FileSnapshot& now, uint32_t mask)
{
    if (before.Exists != now.Exists)
        return true;
    if ((mask & kNotifyChangeAttributes) && before.Attributes != now.Attributes)
        return true;
    if ((mask & kNotifyChangeSize) && before.Size != now.Size)
        return true;
    if ((mask & kNotifyChangeLastWrite) && before.LastWriteTime != now.LastWriteTime)
        return true;
    if ((mask & kNotifyChangeLastAccess) && before.LastAccessTime != now.LastAccessTime)
        return true;
    if ((mask & kNotifyChangeCreation) && before.CreationTime != now.CreationTime)
        return true;
    if ((mask & kNotifyChangeFileName) && (before.Device != now.Device || before.Inode != now.Inode))
        return true;
    return false;
}

std::string WatchedFolderOf(const std::string& fileName)
{
    const auto slash = fileName.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return fileName.substr(0, slash);
}

struct TDirThread::Impl {
    TCallback onChange;
    TCallback onError;
    bool fileMode = false;
    bool subtree = false;
    std::string folder;
    std::string fileName;
    uint32_t mask = 0;
    uint32_t events = 0;

    UniqueFd stopEvent;
    UniqueFd notify;
    int rootWatch = -1;
    std::map<int, std::string> subWatches;  // subtree mode: watch -> folder
    FileSnapshot snapshot;

    std::thread thread;
    std::atomic<bool> terminated{false};
    std::atomic<bool> active{false};

    // Sets up the watch; false when there is nothing that can be watched.
    bool Prepare(const TDirThreadSettings& settings);
    bool WatchRoot(bool& foundEntries);
    void WatchSubtree(const std::string& dir, bool& foundEntries);
    void ScanSubfolders(const std::string& dir, bool& foundEntries);
    void UnwatchSubtree(const std::string& dir);
    void UnwatchAllSubfolders();

    void Run();
    // Reads every pending event and raises at most one change.
    void Drain();
    // While the folder is gone: watches it again if it is back.
    void RetryFolder();
    // In folder mode raises `folderChanged`; in file mode a changed snapshot.
    void RaiseIfChanged(bool folderChanged);
    void Handle(const inotify_event& event, bool& matched, bool& rootGone);
};

bool TDirThread::Impl::Prepare(const TDirThreadSettings& settings)
{
    fileMode = !settings.FileName.empty();
    if (fileMode) {
        fileName = settings.FileName;
        folder = WatchedFolderOf(fileName);
        subtree = false;
        mask = settings.Mask & ~(kNotifyChangeDirName | kNotifyChangeSecurity);
    } else {
        folder = settings.Directory;
        subtree = settings.Subtree;
        mask = settings.Mask;
    }
    if (folder.empty())
        return false;
    events = InotifyMaskFor(mask, subtree);

    notify = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!notify.Valid())
        return false;
    bool foundEntries = false;
    if (!WatchRoot(foundEntries))
        return false;
    // Taken after the watch is in place, so no change falls between the two.
    if (fileMode)
        snapshot = TakeFileSnapshot(fileName);
    return true;
}

bool TDirThread::Impl::WatchRoot(bool& foundEntries)
{
    rootWatch = ::inotify_add_watch(notify.Get(), folder.c_str(), events | IN_ONLYDIR);
    if (rootWatch < 0)
        return false;
    if (subtree)
        ScanSubfolders(folder, foundEntries);
    return true;
}

void TDirThread::Impl::WatchSubtree(const std::string& dir, bool& foundEntries)
{
    const int wd = ::inotify_add_watch(notify.Get(), dir.c_str(), events | IN_ONLYDIR | IN_DONT_FOLLOW);
    if (wd < 0)
        return;  // gone again, unreadable, or over the watch limit: not followed
    subWatches[wd] = dir;
    ScanSubfolders(dir, foundEntries);
}

// Watches every folder below `dir`. Entries found there may have been made
// before their folder was watched, so the caller counts them as a change.
void TDirThread::Impl::ScanSubfolders(const std::string& dir, bool& foundEntries)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        foundEntries = true;
        std::error_code typeEc;
        if (it->is_directory(typeEc) && !it->is_symlink(typeEc))
            WatchSubtree(it->path().string(), foundEntries);
    }
}

void TDirThread::Impl::UnwatchSubtree(const std::string& dir)
{
    for (auto it = subWatches.begin(); it != subWatches.end();) {
        if (HasPrefixFolder(it->second, dir)) {
            ::inotify_rm_watch(notify.Get(), it->first);
            it = subWatches.erase(it);
        } else {
            ++it;
        }
    }
}

void TDirThread::Impl::UnwatchAllSubfolders()
{
    for (const auto& [wd, path] : subWatches)
        ::inotify_rm_watch(notify.Get(), wd);
    subWatches.clear();
}

void TDirThread::Impl::Run()
{
    try {
        while (!terminated.load()) {
            // Without a folder to watch, look for it again now and then.
            const int timeout = rootWatch < 0 ? kFolderRetryMs : -1;
            pollfd fds[2] = {{stopEvent.Get(), POLLIN, 0}, {notify.Get(), POLLIN, 0}};
            const int ready = ::poll(fds, 2, timeout);
            if (ready < 0) {
                if (errno == EINTR)
                    continue;
                throw std::system_error(errno, std::generic_category(), "poll");
            }
            // The stop event wins over pending changes.
            if (fds[0].revents != 0)
                break;
            if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL))
                throw std::system_error(EIO, std::generic_category(), "inotify");
            if (fds[1].revents & POLLIN)
                Drain();
            else if (ready == 0)
                RetryFolder();
        }
    } catch (...) {
        active.store(false);
        if (onError) {
            try {
                onError();
            } catch (...) {
                // Nothing more can be reported from here.
            }
        }
        return;
    }
    active.store(false);
}

void TDirThread::Impl::Drain()
{
    alignas(inotify_event) char buffer[64 * 1024];
    bool any = false;
    bool matched = false;
    bool rootGone = false;
    for (;;) {
        const ssize_t n = ::read(notify.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN)
                break;
            throw std::system_error(errno, std::generic_category(), "read inotify");
        }
        if (n == 0)
            break;
        any = true;
        for (const char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            Handle(*event, matched, rootGone);
            p += sizeof(inotify_event) + event->len;
        }
    }
    if (!any)
        return;
    if (rootGone) {
        // The folder was deleted or moved away, and its subfolders' watches
        // went with it. A folder of the same name may already be back.
        UnwatchAllSubfolders();
        bool foundEntries = false;
        WatchRoot(foundEntries);
        matched = true;
    }
    RaiseIfChanged(matched);
}

void TDirThread::Impl::RetryFolder()
{
    bool foundEntries = false;
    if (WatchRoot(foundEntries))
        RaiseIfChanged(true);
}

void TDirThread::Impl::RaiseIfChanged(bool folderChanged)
{
    bool changed = folderChanged;
    if (fileMode) {
        const FileSnapshot now = TakeFileSnapshot(fileName);
        changed = FileSnapshotChanged(snapshot, now, mask);
        if (changed)
            snapshot = now;
    }
    if (changed && onChange && !terminated.load())
        onChange();
}

void TDirThread::Impl::Handle(const inotify_event& event, bool& matched, bool& rootGone)
{
    if (event.mask & IN_Q_OVERFLOW) {
        // Events were lost: assume the worst.
        matched = true;
        return;
    }
    if (event.wd == rootWatch) {
        if (event.mask & IN_MOVE_SELF)
            ::inotify_rm_watch(notify.Get(), rootWatch);  // IN_IGNORED follows
        if (event.mask & IN_IGNORED) {
            rootWatch = -1;
            rootGone = true;
            return;
        }
        if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF))
            return;
    } else if (event.mask & IN_IGNORED) {
        subWatches.erase(event.wd);
        return;
    } else if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
        // A subfolder's own end; its parent reports the name change.
        return;
    }

    if (!fileMode && EventMatches(event.mask, mask))
        matched = true;

    if (subtree && (event.mask & IN_ISDIR) && event.len > 0) {
        std::string parent;
        if (event.wd == rootWatch) {
            parent = folder;
        } else if (auto it = subWatches.find(event.wd); it != subWatches.end()) {
            parent = it->second;
        } else {
            return;  // from a folder no longer followed
        }
        const std::string path = parent + "/" + event.name;
        if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
            bool foundEntries = false;
            WatchSubtree(path, foundEntries);
            if (foundEntries && (mask & (kNotifyChangeFileName | kNotifyChangeDirName)))
                matched = true;
        } else if (event.mask & IN_MOVED_FROM) {
            UnwatchSubtree(path);
        }
    }
}

TDirThread::TDirThread(TDirThreadSettings settings, TCallback onChange, TCallback onError)
    : impl_(std::make_unique<Impl>())
{
    impl_->onChange = std::move(onChange);
    impl_->onError = std::move(onError);
    impl_->stopEvent = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!impl_->stopEvent.Valid())
        throw std::system_error(errno, std::generic_category(), "eventfd");
    if (!impl_->Prepare(settings))
        return;
    impl_->active.store(true);
    impl_->thread = std::thread(&Impl::Run, impl_.get());
}

TDirThread::~TDirThread()
{
    try {
        Terminate();
    } catch (...) {
        // Joining fails only when called from the worker itself, which the
        // interface rules out; a destructor must not throw.
    }
}

void TDirThread::Terminate()
{
    if (impl_->thread.joinable()) {
        impl_->terminated.store(true);
        const uint64_t one = 1;
        while (::write(impl_->stopEvent.Get(), &one, sizeof one) < 0 && errno == EINTR) {
        }
        impl_->thread.join();
    }
    impl_->active.store(false);
    impl_->notify.Reset();
    impl_->stopEvent.Reset();
}

bool TDirThread::Active() const
{
    return impl_->active.load();
}
