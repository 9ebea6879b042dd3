// Watching a folder, or one file through its folder, for changes.
//
// TDirThread is the worker: it owns an inotify instance on the folder and an
// eventfd that wakes it to stop, and calls a callback on its own thread when
// something the filter mask selects has changed. It does no user-interface
// work; the Qt component TVuFileNotification (binhex/gui/VuFileNotifier.h)
// hands that callback to the user-interface thread and merges bursts.
//
// In file mode the thread watches the file's folder and compares a
// FileSnapshot of the file after every wake-up, so activity on other files
// of the folder wakes the thread but raises nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

// The kinds of change a watcher reacts to.
enum TVuFileNotifyOption : uint8_t {
    foNotifyFilename,
    foNotifyDirname,
    foNotifyAttributes,
    foNotifySize,
    foNotifyLastWrite,
    foNotifyLastAccess,
    foNotifyCreation,
    foNotifySecurity,
};

// A set of TVuFileNotifyOption.
class TVuFileNotifyOptions {
public:
    constexpr TVuFileNotifyOptions() = default;
    constexpr TVuFileNotifyOptions(std::initializer_list<TVuFileNotifyOption> options)
    {
        for (TVuFileNotifyOption o : options)
            bits_ |= Bit(o);
    }

    constexpr bool Contains(TVuFileNotifyOption o) const { return (bits_ & Bit(o)) != 0; }
    constexpr void Include(TVuFileNotifyOption o) { bits_ |= Bit(o); }
    constexpr void Exclude(TVuFileNotifyOption o) { bits_ &= static_cast<uint16_t>(~Bit(o)); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const TVuFileNotifyOptions&) const = default;

private:
    static constexpr uint16_t Bit(TVuFileNotifyOption o) { return static_cast<uint16_t>(1u << o); }
    uint16_t bits_ = 0;
};

// Filter mask bits, one per option. The values are the ones the stored
// settings and the rest of the viewer family use for these filters.
enum : uint32_t {
    kNotifyChangeFileName = 0x1,
    kNotifyChangeDirName = 0x2,
    kNotifyChangeAttributes = 0x4,
    kNotifyChangeSize = 0x8,
    kNotifyChangeLastWrite = 0x10,
    kNotifyChangeLastAccess = 0x20,
    kNotifyChangeCreation = 0x40,
    kNotifyChangeSecurity = 0x100,
};

// The filter bit of one option.
uint32_t FileNotifyFilter(TVuFileNotifyOption option);

// The filter mask of a set of options: the sum of their filters.
uint32_t FileNotifyMask(TVuFileNotifyOptions options);

// What is known of the watched file at one moment. A file that does not
// exist (or cannot be examined) has Exists false and every other field 0.
// Times are nanoseconds since the epoch; CreationTime is 0 where the file
// system keeps no birth time.
struct FileSnapshot {
    bool Exists = false;
    int64_t Size = 0;
    uint32_t Attributes = 0;  // file type and permission bits
    int64_t LastWriteTime = 0;
    int64_t CreationTime = 0;
    int64_t LastAccessTime = 0;
    uint64_t Device = 0;  // with Inode: which file the name refers to
    uint64_t Inode = 0;

    bool operator==(const FileSnapshot&) const = default;
};

// Examines `fileName` (UTF-8), following a symbolic link to what it names,
// since that is what a viewer of the name reads.
FileSnapshot TakeFileSnapshot(const std::string& fileName);

// True when `now` differs from `before` in what `mask` selects: always when
// existence differs; per bit, attributes (kNotifyChangeAttributes), size,
// last write, last access or creation time; and, for kNotifyChangeFileName,
// when the name now refers to a different file (renamed over, or deleted
// and created again), even with equal size and times.
bool FileSnapshotChanged(const FileSnapshot& before, const FileSnapshot& now, uint32_t mask);

// The folder watched for `fileName`: the part before its last "/" ("/" for a
// file in the root, "." for a name without a folder).
std::string WatchedFolderOf(const std::string& fileName);

// What TDirThread is to watch.
struct TDirThreadSettings {
    std::string Directory;  // folder mode: the folder (UTF-8)
    std::string FileName;   // file mode when not empty: the file (UTF-8)
    bool Subtree = false;   // folder mode: include every subfolder
    uint32_t Mask = 0;      // sum of kNotifyChange* filters
};

// The worker thread of one active watch.
//
// The constructor puts the watch in place before it returns, so a change
// made right after construction is seen. A folder that cannot be watched
// (empty, missing, not a folder, or the system's watch limit reached) leaves
// the object inactive without error: no thread runs and no callback comes.
// When the watched folder itself is deleted or moved away, the thread raises
// a change (in file mode: when the file's snapshot differs, which it then
// does) and looks for a folder of that name every 250 ms, watching it from
// the moment it is back (and raising a change then).
class TDirThread {
public:
    using TCallback = std::function<void()>;

    // Starts watching. `onChange` is called on the worker thread after each
    // wake-up that brought a change; `onError` (optional) on the worker thread
    // when the wait loop fails unexpectedly, after which the thread ends.
    // Both must be safe to call from another thread and must not call back
    // into this object. Throws std::system_error when the stop event or the
    // thread cannot be created.
    TDirThread(TDirThreadSettings settings, TCallback onChange, TCallback onError = {});

    // Terminates (see Terminate).
    ~TDirThread();

    TDirThread(const TDirThread&) = delete;
    TDirThread& operator=(const TDirThread&) = delete;

    // Signals the stop event, waits for the thread to finish, then closes its
    // handles. No callback runs once this returns. Safe to call more than
    // once; must not be called from a callback.
    void Terminate();

    // True while the worker thread runs (also while it waits for a vanished
    // folder to come back); false for a folder that could not be watched at
    // the start, after a failure, and after Terminate.
    bool Active() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
