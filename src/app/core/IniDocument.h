// An INI file held as its lines, so that writing it back keeps everything
// the program does not own: other sections, other keys, comments, blank
// lines and the order of it all.
//
// Syntax as Windows INI files have it: "[section]" headers, "key=value"
// lines, ";" comments. Section and key names compare case-insensitively
// (ASCII). Spaces around names and values are not part of them; one pair
// of matching quotes around a value is dropped on reading. The first of
// duplicate sections or keys is the one read and written.
//
// Damage is contained line by line: a line holding a NUL byte or longer
// than kMaxLineLength is never parsed (what it held reads as missing, so
// the caller's default applies) and is dropped when the file is written
// back, so garbage does not survive a save.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument {
public:
    static constexpr size_t kMaxLineLength = 64 * 1024;
    // Bytes read from a file at most; the rest of a larger file is ignored.
    static constexpr size_t kMaxFileSize = 16 * 1024 * 1024;

    IniDocument() = default;

    // Parses `text`. Lines end with LF or CR LF; the ending of the first
    // line is used for every line written back. A UTF-8 byte-order mark at
    // the start is kept.
    static IniDocument Parse(std::string_view text);

    // Reads the file `path` (UTF-8 name). A missing or unreadable file gives
    // an empty document; `readable`, when given, tells which it was (true
    // also for a missing file, which is simply a first start).
    static IniDocument Load(const std::string& path, bool* readable = nullptr);

    // The raw value of `key` in `section`, or nothing when either is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;

    // Decimal with optional sign, or hexadecimal written "$1F" or "0x1F"
    // (up to 8 digits, taken as a 32-bit pattern so colours such as
    // $FF000005 read back). Anything else, or a value out of the 32-bit
    // range, gives `def`.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;

    // ReadInteger(def ? 1 : 0) != 0: any non-zero integer is true.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Sets the value, replacing the first existing key (its spelling kept),
    // else adding the key after the last key of the section, else adding
    // the section at the end. CR and LF in `value` become spaces, since a
    // value cannot span lines.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    // Writes "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The document as file text.
    std::string Text() const;

private:
    enum class Kind : uint8_t { Other, Section, Key, Damaged };
    struct Line {
        std::string text;
        Kind kind = Kind::Other;
        std::string name;  // section name or key, trimmed
    };

    // Index of the first header of `section`, or npos.
    size_t FindSection(std::string_view section) const;
    // Index of the first `key` line in the section starting at `header`, or npos.
    size_t FindKey(size_t header, std::string_view key) const;

    std::vector<Line> lines_;
    std::string eol_ = "\n";
    bool bom_ = false;
};
