#include "text/core/VuxFileTests.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "text/core/VuxUtf8.h"

namespace {

// Reads exactly `count` bytes at offset 0; false when fewer are there.
template <size_t N>
bool ReadHead(TVuStream& stream, std::array<uint8_t, N>& head)
{
    return stream.ReadAt(0, head.data(), static_cast<int64_t>(N)) == static_cast<int64_t>(N);
}

bool IsTextByte(uint8_t b)
{
    return b >= 32 || b == 9 || b == 10 || b == 13;
}

// DOS pseudo-graphics (box drawing and shades) and the two values that
// Cyrillic and Western DOS text use heavily in their own letters.
bool IsOemMarker(int value)
{
    return (value >= 176 && value <= 223) || value == 255 || value == 169;
}

}  // namespace

bool HasUtf16Bom(TVuStream& stream)
{
    std::array<uint8_t, 2> head{};
    if (!ReadHead(stream, head))
        return false;
    return (head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF);
}

bool HasUtf8Bom(TVuStream& stream)
{
    std::array<uint8_t, 3> head{};
    return ReadHead(stream, head) && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF;
}

bool StartsWithRtf(TVuStream& stream)
{
    std::array<uint8_t, 5> head{};
    return ReadHead(stream, head) && std::memcmp(head.data(), "{\\rtf", 5) == 0;
}

void ProbeRtfAndUtf8(const std::string& fileName, bool& isRichText, bool& isUtf8)
{
    isRichText = false;
    isUtf8 = false;
    auto stream = TVuFileStream::Open(fileName);
    if (!stream)
        return;
    isRichText = StartsWithRtf(*stream);
    isUtf8 = HasUtf8Bom(*stream);
}

bool IsFileText(TVuStream& stream, uint32_t sizeKB, bool detectOEM, bool& isOEM)
{
    bool isUtf8 = false;
    return IsFileText(stream, sizeKB, detectOEM, isOEM, isUtf8);
}

bool IsFileText(TVuStream& stream, uint32_t sizeKB, bool detectOEM, bool& isOEM, bool& isUtf8)
{
    isOEM = false;
    isUtf8 = false;
    if (sizeKB == 0)
        return false;

    const int64_t limit = static_cast<int64_t>(sizeKB) * 1024;
    constexpr int64_t kBlock = 64 * 1024;
    std::vector<uint8_t> block(static_cast<size_t>(std::min(limit, kBlock)));
    std::array<uint64_t, 256> counts{};
    uint64_t highTotal = 0;
    TVuUtf8Check utf8;

    int64_t offset = 0;
    while (offset < limit) {
        const int64_t want = std::min<int64_t>(kBlock, limit - offset);
        const int64_t got = stream.ReadAt(offset, block.data(), want);
        if (got < 0)
            return false;  // a failed read anywhere means the test could not be made
        if (got == 0)
            break;
        for (int64_t i = 0; i < got; ++i) {
            const uint8_t b = block[static_cast<size_t>(i)];
            if (!IsTextByte(b))
                return false;
            if (detectOEM && b >= 128) {
                ++counts[b];
                ++highTotal;
            }
        }
        if (detectOEM)
            utf8.Feed(block.data(), static_cast<size_t>(got));
        offset += got;
        if (got < want)
            break;
    }
    if (offset == 0)
        return false;  // nothing read: an empty file is not text

    isUtf8 = detectOEM && utf8.IsMultiByteText();
    if (detectOEM && highTotal > 0) {
        for (int value = 128; value <= 255; ++value) {
            if (IsOemMarker(value) && counts[value] * 100 / highTotal > 17) {
                isOEM = true;
                break;
            }
        }
    }
    return true;
}

std::string LowerExtensionOf(std::string_view fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.find('/', dot) != std::string_view::npos)
        return {};
    std::string ext(fileName.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

bool ExtensionInList(std::string_view fileName, std::string_view list)
{
    std::string needle = "," + LowerExtensionOf(fileName) + ",";
    std::string haystack;
    haystack.reserve(list.size() + 2);
    haystack += ',';
    haystack += list;
    haystack += ',';
    return haystack.find(needle) != std::string::npos;
}

bool ExtInTwoLists(std::string_view fileName, std::string_view list1, std::string_view list2)
{
    std::string both(list1);
    both += ',';
    both += list2;
    return ExtensionInList(fileName, both);
}
