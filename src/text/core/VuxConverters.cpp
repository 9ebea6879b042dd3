#include "text/core/VuxConverters.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <unicode/ucnv.h>
#include <vector>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Names glibc iconv knows a Windows code page by, where the number alone
// ("CP1251") does not find it or finds a different table.
const char* IconvNameOf(int codepage)
{
    switch (codepage) {
    case 37: return "IBM037";
    case 708: return "ASMO-708";
    case 874: return "WINDOWS-874";
    case 10000: return "MACINTOSH";
    case 10007: return "CP10007";
    case 10017: return "MAC-UK";
    case 10029: return "MAC-CENTRALEUROPE";
    case 10079: return "MAC-IS";
    case 20127: return "ANSI_X3.4-1968";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 28603: return "ISO-8859-13";
    case 28605: return "ISO-8859-15";
    // ISO 8859-8 logical order uses the visual table's characters.
    case 38598: return "ISO-8859-8";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

// Names ICU knows a Windows code page by, beyond the generic patterns.
const char* IcuNameOf(int codepage)
{
    switch (codepage) {
    case 10006: return "x-mac-greek";
    case 10081: return "x-mac-turkish";
    case 10004: return "x-mac-arabic";
    case 10005: return "x-mac-hebrew";
    default: return nullptr;
    }
}

std::vector<TVuConverterSource> CandidatesOf(int codepage)
{
    std::vector<TVuConverterSource> out;
    const std::string n = std::to_string(codepage);
    if (const char* name = IconvNameOf(codepage))
        out.push_back({TVuConverterSource::kIconv, name});
    if (codepage >= 1250 && codepage <= 1258)
        out.push_back({TVuConverterSource::kIconv, "WINDOWS-" + n});
    if (codepage >= 28591 && codepage <= 28599)
        out.push_back({TVuConverterSource::kIconv, "ISO-8859-" + std::to_string(codepage - 28590)});
    // 20xxx and 21xxx are IBM EBCDIC pages numbered 20000 + the IBM number.
    std::string ibm = n;
    if (codepage >= 20000 && codepage < 22000 && codepage != 20127 && codepage != 20866 && codepage != 21866)
        ibm = std::to_string(codepage - 20000);
    if (codepage < 10000 || ibm != n) {
        out.push_back({TVuConverterSource::kIconv, "IBM" + ibm});
        out.push_back({TVuConverterSource::kIconv, "CP" + ibm});
    }
    if (const char* name = IcuNameOf(codepage))
        out.push_back({TVuConverterSource::kIcu, name});
    if (codepage < 10000 || ibm != n) {
        out.push_back({TVuConverterSource::kIcu, "ibm-" + ibm});
        out.push_back({TVuConverterSource::kIcu, "windows-" + n});
    }
    return out;
}

struct IconvHandle {
    iconv_t cd;
    explicit IconvHandle(const char* from) : cd(iconv_open("UTF-16LE", from)) {}
    ~IconvHandle() { if (ok()) iconv_close(cd); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

struct IcuHandle {
    UConverter* cnv = nullptr;
    explicit IcuHandle(const char* name)
    {
        UErrorCode err = U_ZERO_ERROR;
        cnv = ucnv_open(name, &err);
        if (U_FAILURE(err)) {
            if (cnv)
                ucnv_close(cnv);
            cnv = nullptr;
            return;
        }
        // Stop on unmapped bytes so they become U+FFFD here rather than the
        // converter's own substitution character.
        ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
    }
    ~IcuHandle() { if (cnv) ucnv_close(cnv); }
    IcuHandle(const IcuHandle&) = delete;
    IcuHandle& operator=(const IcuHandle&) = delete;
};

// Outcome of converting one byte alone.
enum class ByteResult { kChar, kUndefined, kIncomplete };

ByteResult IconvByte(iconv_t cd, unsigned char byte, char16_t& out)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    char16_t buf[8];
    char* inp = &in;
    size_t inLeft = 1;
    char* outp = reinterpret_cast<char*>(buf);
    size_t outLeft = sizeof buf;
    size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    if (r == static_cast<size_t>(-1))
        return errno == EINVAL ? ByteResult::kIncomplete : ByteResult::kUndefined;
    // Flush what a stateful or combining converter holds back.
    if (iconv(cd, nullptr, nullptr, &outp, &outLeft) == static_cast<size_t>(-1))
        return ByteResult::kUndefined;
    const size_t units = (sizeof buf - outLeft) / 2;
    if (units != 1)
        return ByteResult::kUndefined;
    out = buf[0];
    return ByteResult::kChar;
}

ByteResult IcuByte(UConverter* cnv, unsigned char byte, char16_t& out)
{
    ucnv_reset(cnv);
    const char in = static_cast<char>(byte);
    const char* src = &in;
    UChar buf[8];
    UChar* dst = buf;
    UErrorCode err = U_ZERO_ERROR;
    ucnv_toUnicode(cnv, &dst, buf + 8, &src, &in + 1, nullptr, true, &err);
    if (err == U_TRUNCATED_CHAR_FOUND)
        return ByteResult::kIncomplete;
    if (U_FAILURE(err) || dst - buf != 1)
        return ByteResult::kUndefined;
    out = buf[0];
    return ByteResult::kChar;
}

template <typename ConvertByte>
std::optional<TVuCodepageTable> FillTable(ConvertByte convert)
{
    TVuCodepageTable table{};
    for (int b = 0; b < 256; ++b) {
        char16_t ch = kReplacement;
        switch (convert(static_cast<unsigned char>(b), ch)) {
        case ByteResult::kChar: table[b] = ch; break;
        case ByteResult::kUndefined: table[b] = kReplacement; break;
        case ByteResult::kIncomplete: return std::nullopt;  // multi-byte
        }
    }
    return table;
}

}  // namespace

std::optional<TVuCodepageTable> BuildCodepageTable(int codepage, TVuConverterSource* source)
{
    if (codepage <= 0)
        return std::nullopt;
    for (const auto& cand : CandidatesOf(codepage)) {
        std::optional<TVuCodepageTable> table;
        if (cand.kind == TVuConverterSource::kIconv) {
            IconvHandle h(cand.name.c_str());
            if (!h.ok())
                continue;
            table = FillTable([&](unsigned char b, char16_t& ch) { return IconvByte(h.cd, b, ch); });
        } else {
            IcuHandle h(cand.name.c_str());
            if (!h.cnv)
                continue;
            if (ucnv_getMaxCharSize(h.cnv) != 1)
                return std::nullopt;
            table = FillTable([&](unsigned char b, char16_t& ch) { return IcuByte(h.cnv, b, ch); });
        }
        // A converter that opened decides: a multi-byte page has no table
        // under any other name either.
        if (table && source)
            *source = cand;
        return table;
    }
    return std::nullopt;
}

std::optional<std::u16string> ConvertMultiByte(std::string_view bytes, int codepage)
{
    if (codepage <= 0)
        return std::nullopt;
    for (const auto& cand : CandidatesOf(codepage)) {
        if (cand.kind == TVuConverterSource::kIconv) {
            IconvHandle h(cand.name.c_str());
            if (!h.ok())
                continue;
            std::u16string out;
            std::vector<char> in(bytes.begin(), bytes.end());
            char* inp = in.data();
            size_t inLeft = in.size();
            char16_t buf[1024];
            while (inLeft > 0) {
                char* outp = reinterpret_cast<char*>(buf);
                size_t outLeft = sizeof buf;
                size_t r = iconv(h.cd, &inp, &inLeft, &outp, &outLeft);
                out.append(buf, (sizeof buf - outLeft) / 2);
                if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                    // Skip one undecodable (or truncated final) byte.
                    out.push_back(kReplacement);
                    ++inp;
                    --inLeft;
                    iconv(h.cd, nullptr, nullptr, nullptr, nullptr);
                }
            }
            char* outp = reinterpret_cast<char*>(buf);
            size_t outLeft = sizeof buf;
            iconv(h.cd, nullptr, nullptr, &outp, &outLeft);
            out.append(buf, (sizeof buf - outLeft) / 2);
            return out;
        }
        IcuHandle h(cand.name.c_str());
        if (!h.cnv)
            continue;
        UErrorCode err = U_ZERO_ERROR;
        ucnv_setToUCallBack(h.cnv, UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &err);
        err = U_ZERO_ERROR;
        std::u16string out(bytes.size() * 2 + 2, u'\0');
        int32_t n = ucnv_toUChars(h.cnv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                                  bytes.data(), static_cast<int32_t>(bytes.size()), &err);
        if (U_FAILURE(err))
            return std::nullopt;
        out.resize(static_cast<size_t>(n));
        return out;
    }
    return std::nullopt;
}
