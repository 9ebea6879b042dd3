// Tests on the first bytes of a file and on its extension, shared by the
// viewer's mode detection and every view that must tell text from binary.
//
// The byte tests read through a TVuStream at fixed offsets, so they never
// disturb another reader of the same source. None of them raises: a source
// that cannot be read simply fails the test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/core/VuStream.h"

// True when the first two bytes are FF FE or FE FF (a UTF-16 byte-order
// mark). A source shorter than two bytes is not Unicode.
bool HasUtf16Bom(TVuStream& stream);

// True when the first three bytes are EF BB BF (the UTF-8 byte-order mark).
bool HasUtf8Bom(TVuStream& stream);

// True when the first five bytes spell "{\rtf" exactly (case-sensitive).
bool StartsWithRtf(TVuStream& stream);

// Opens `fileName` (UTF-8) for reading and runs StartsWithRtf and HasUtf8Bom
// on it. Both answers are false when the file cannot be opened.
void ProbeRtfAndUtf8(const std::string& fileName, bool& isRichText, bool& isUtf8);

// The plain-text test: reads up to sizeKB × 1024 bytes from offset 0 and
// answers whether every byte is 9, 10, 13 or 32..255. sizeKB 0, an empty
// source or a read error mean "not text".
//
// With detectOEM, isOEM becomes true when the text's high bytes (128..255)
// are dominated by a DOS pseudo-graphic value: the first of 169, 176..223
// and 255, in ascending order, whose count is more than 17 per cent of all
// high bytes (count × 100 / total, integer division). isOEM is false
// whenever the answer is "not text".
//
// The bytes are read in blocks, so a large sizeKB costs no more memory than
// the file holds.
bool IsFileText(TVuStream& stream, uint32_t sizeKB, bool detectOEM, bool& isOEM);

// As above; with detectOEM, isUtf8 also becomes true when the bytes read
// are valid UTF-8 holding at least one multi-byte sequence (one cut by the
// end of what was read counts, the sample's end not being the text's).
// isOEM is worked out as before whatever isUtf8 says; the caller decides
// which answer wins. Both are false whenever the answer is "not text".
bool IsFileText(TVuStream& stream, uint32_t sizeKB, bool detectOEM, bool& isOEM, bool& isUtf8);

// The extension of `fileName`: the text after its last dot, unless a "/"
// follows that dot (then there is none), with A..Z lower-cased and nothing
// else changed. Bytes pass unchanged, so a UTF-8 name keeps its extension.
std::string LowerExtensionOf(std::string_view fileName);

// True when "," + extension + "," occurs in "," + list + "," (exact,
// case-sensitive). List entries must therefore be lower case; a name without
// an extension matches only a list with an empty entry (",," or a leading or
// trailing comma).
bool ExtensionInList(std::string_view fileName, std::string_view list);

// ExtensionInList against list1 + "," + list2.
bool ExtInTwoLists(std::string_view fileName, std::string_view list1, std::string_view list2);
