#include "text/core/VuxSHex.h"

std::string BytesToHexText(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    if (bytes.empty())
        return out;
    out.resize(bytes.size() * 3 - 1, ' ');
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[3 * i] = kDigits[b >> 4];
        out[3 * i + 1] = kDigits[b & 15];
    }
    return out;
}
