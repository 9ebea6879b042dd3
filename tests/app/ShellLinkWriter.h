// Shortcut (.lnk) bytes for tests, built part by part as the Shell Link
// format lays them out.
#pragma once

#include <cstdint>
#include <string>

// Builds shortcut bytes part by part, as the format lays them out.
class LinkWriter {
public:
    static constexpr uint32_t IdList = 0x1, LinkInfo = 0x2, RelPath = 0x8, WorkDir = 0x10, Unicode = 0x80;

    std::string localBase, suffix, netName, relative, workDir, envTarget;
    bool unicodeInfo = false;  // link info with the Unicode offsets
    bool unicodeStrings = false;
    bool idList = false;

    std::string Bytes() const
    {
        uint32_t flags = (unicodeStrings ? Unicode : 0) | (idList ? IdList : 0);
        if (!localBase.empty() || !netName.empty())
            flags |= LinkInfo;
        if (!relative.empty())
            flags |= RelPath;
        if (!workDir.empty())
            flags |= WorkDir;

        std::string out;
        U32(out, 0x4C);
        const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
        out.append(reinterpret_cast<const char*>(clsid), 16);
        U32(out, flags);
        out.append(76 - out.size(), '\0');

        if (idList) {
            const std::string item = "\x14\x00" + std::string(18, 'x');  // one 20-byte item
            U16(out, uint32_t(item.size() + 2));
            out += item;
            U16(out, 0);
        }
        if (flags & LinkInfo)
            out += LinkInfoBytes();
        for (const std::string* s : {&relative, &workDir}) {
            if (s->empty())
                continue;
            U16(out, uint32_t(s->size()));
            out += unicodeStrings ? Utf16(*s) : *s;
        }
        if (!envTarget.empty()) {
            std::string block;
            U32(block, 0x314);
            U32(block, 0xA0000001);
            std::string ansi = envTarget;
            ansi.resize(260, '\0');
            std::string wide = Utf16(envTarget);
            wide.resize(520, '\0');
            out += block + ansi + wide;
        }
        U32(out, 0);  // terminal block
        return out;
    }

private:
    static void U16(std::string& s, uint32_t v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
    static void U32(std::string& s, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            s += char(v >> (8 * i) & 0xFF);
    }
    // ASCII only, which is all the tests need.
    static std::string Utf16(const std::string& s)
    {
        std::string w;
        for (char c : s)
            w += c, w += '\0';
        return w;
    }

    std::string LinkInfoBytes() const
    {
        const uint32_t headerSize = unicodeInfo ? 0x24 : 0x1C;
        std::string body;  // everything after the header
        auto place = [&](const std::string& bytes) {
            const uint32_t offset = headerSize + uint32_t(body.size());
            body += bytes;
            return offset;
        };
        uint32_t volume = 0, local = 0, net = 0, suffixAt = 0, localW = 0, suffixW = 0;
        uint32_t infoFlags = 0;
        if (!localBase.empty()) {
            infoFlags |= 1;
            std::string vol;
            U32(vol, 0x10), U32(vol, 3), U32(vol, 0), U32(vol, 0x10);
            volume = place(vol);
            local = place(localBase + '\0');
            if (unicodeInfo)
                localW = place(Utf16(localBase) + std::string(2, '\0'));
        }
        if (!netName.empty()) {
            infoFlags |= 2;
            std::string link;
            U32(link, uint32_t(0x14 + netName.size() + 1)), U32(link, 0), U32(link, 0x14), U32(link, 0), U32(link, 0);
            net = place(link + netName + '\0');
        }
        suffixAt = place(suffix + '\0');
        if (unicodeInfo)
            suffixW = place(Utf16(suffix) + std::string(2, '\0'));

        std::string out;
        U32(out, headerSize + uint32_t(body.size()));
        U32(out, headerSize);
        U32(out, infoFlags);
        U32(out, volume), U32(out, local), U32(out, net), U32(out, suffixAt);
        if (unicodeInfo)
            U32(out, localW), U32(out, suffixW);
        return out + body;
    }
};
