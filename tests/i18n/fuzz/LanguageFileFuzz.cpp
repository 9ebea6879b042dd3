// libFuzzer entry for the language-file reader: any bytes, read as a file
// with the signature line put in front half of the time so the fuzzer gets
// past it, must load or be refused without a crash, a leak or undefined
// behaviour. The first byte picks the default code page and whether the
// value decoders are also called directly.
#include <cstddef>
#include <cstdint>
#include <string>

#include "i18n/core/LanguageFile.h"
#include "i18n/core/StringUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t control = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (control & 1)
        text = std::string(kLanguageFileSignature) + "\n" + text;
    static const int codepages[] = {1251, 1252, 65001, 866};

    TResStringer strings;
    TLanguageTranslations tr(codepages[(control >> 1) & 3], strings);
    std::size_t reports = 0;
    tr.SetReport([&](const std::u16string& m) { reports += m.size(); });
    tr.LoadText(text, "fuzz.lng");
    for (const TResForm& f : tr.Forms())
        if (f.Paths.size() != f.Values.size())
            __builtin_trap();
    for (const auto& e : strings.Entries())
        (void)strings.FindResString(e.Id);

    if (control & 8) {
        const std::u16string wide = ToWideCP(text, 1252);
        try {
            (void)DecodeLiteral(wide);
        } catch (const EQuillonToStringError& e) {
            if (e.Position() == 0 || e.Position() > wide.size())
                __builtin_trap();
        } catch (const ELanguageValueError&) {
        }
        try {
            (void)DecodeLiteralLenient(wide);
        } catch (const ELanguageValueError&) {
        }
        (void)WideToUtf8(Utf8ToWide(text));
    }
    return 0;
}
