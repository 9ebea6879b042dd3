// Random-access byte sources shared by the text view and the stream search.
//
// The class library's TStream (seek + read) becomes one positioned read:
// ReadAt never moves a shared file pointer, so the view and a search can
// read the same source without disturbing each other.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TVuStream {
public:
    virtual ~TVuStream() = default;

    // Current size in bytes, or -1 when it cannot be determined.
    virtual int64_t Size() const = 0;

    // Reads up to `count` bytes at byte `offset` into `buffer`.
    // Returns the number of bytes read (less than `count` only at the end of
    // the source; 0 at or past the end) or -1 on a read error.
    virtual int64_t ReadAt(int64_t offset, void* buffer, int64_t count) = 0;
};

// A file opened read-only. File names are UTF-8 bytes.
class TVuFileStream final : public TVuStream {
public:
    // Opens `fileName` for reading; nullptr when it cannot be opened or is a
    // folder. errno is left as the failing call set it.
    static std::unique_ptr<TVuFileStream> Open(const std::string& fileName);

    ~TVuFileStream() override;
    TVuFileStream(const TVuFileStream&) = delete;
    TVuFileStream& operator=(const TVuFileStream&) = delete;

    int64_t Size() const override;
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override;

    int Descriptor() const { return fd_; }
    const std::string& FileName() const { return fileName_; }

private:
    TVuFileStream(int fd, std::string fileName) : fd_(fd), fileName_(std::move(fileName)) {}
    int fd_;
    std::string fileName_;
};

// Bytes held in memory (tests, and callers that show generated data).
class TVuMemoryStream final : public TVuStream {
public:
    TVuMemoryStream() = default;
    explicit TVuMemoryStream(std::vector<uint8_t> data) : data_(std::move(data)) {}
    explicit TVuMemoryStream(const std::string& data) : data_(data.begin(), data.end()) {}

    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override;

    std::vector<uint8_t>& Data() { return data_; }

private:
    std::vector<uint8_t> data_;
};
