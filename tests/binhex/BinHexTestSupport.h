// Helpers shared by the view's tests: temporary files, captured messages
// and walking the displayed lines of a model.
#pragma once

#include "binhex/core/VuBinHexModel.h"
#include "text/core/VuViewerMsg.h"
#include "text/core/VuxSProc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

// A file in the temporary folder, removed at the end of the test.
class TempFile {
public:
    explicit TempFile(const std::string& content = {})
    {
        char name[] = "/tmp/peekwell_binhexXXXXXX";
        int fd = mkstemp(name);
        EXPECT_GE(fd, 0);
        if (!content.empty()) {
            EXPECT_EQ(::write(fd, content.data(), content.size()), ssize_t(content.size()));
        }
        ::close(fd);
        path_ = name;
    }
    // A sparse file of `size` bytes (holes read as zeros).
    static TempFile Sparse(int64_t size)
    {
        TempFile f;
        EXPECT_EQ(::truncate(f.path_.c_str(), size), 0);
        return f;
    }
    TempFile(TempFile&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
    ~TempFile()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Collects every ViewerMessage while alive.
class MessageCapture {
public:
    MessageCapture()
    {
        SetViewerMessageHandler([this](const std::u16string& text, const std::u16string&) {
            texts.push_back(Utf16ToUtf8(text));
        });
    }
    ~MessageCapture() { SetViewerMessageHandler({}); }
    std::vector<std::string> texts;
};

inline std::string Narrow(const std::u16string& s)
{
    std::string out;
    for (char16_t c : s)
        out += c < 128 ? char(c) : '?';
    return out;
}

// The displayed lines from ViewPos down (forward walk), as drawn text.
inline std::vector<std::string> LinesFrom(const TVuBinHexModel& m, int64_t pos, int most = 50)
{
    std::vector<std::string> lines;
    while (pos >= 0 && pos < m.FileSize() && int(lines.size()) < most) {
        TVuReadLine line = m.ReadLine(true, pos);
        lines.push_back(Narrow(line.text));
        pos = m.NextLineStartAfter(pos, line);
    }
    return lines;
}

// A model over an in-memory stream, with a screen of `lines` lines.
struct StreamModel {
    explicit StreamModel(const std::string& data, TVuBinHexMode mode = vbmodeText, int lines = 10)
        : stream(data)
    {
        model.SetMode(mode);
        model.SetFontMetrics({10, 32, 8, true});
        model.SetBitmapSize(800, lines * 10 + 4);
        model.OpenStream(&stream);
    }
    TVuMemoryStream stream;
    TVuBinHexModel model;
};
