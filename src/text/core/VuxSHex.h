// Bytes as hexadecimal text, for copying a selection "as hex".
#pragma once

#include <string>
#include <string_view>

// Each byte as two upper-case hexadecimal digits, one space between bytes
// and none at the end: "AB" gives "41 42". Empty input gives "".
std::string BytesToHexText(std::string_view bytes);
