// The system ANSI, OEM and Mac code pages. Linux has no such setting, so
// they follow the language of the locale the way Windows installs pair them
// with a language. A UTF-8 locale still gives a single-byte ANSI code page:
// the viewer's ANSI is always one byte per character.
#include <cstdlib>
#include <cstring>
#include <string>

#include "text/core/VuxCodepages.h"

namespace {

struct LocaleCodepages {
    int ansi, oem, mac;
};

std::string LocaleLanguage()
{
    const char* value = nullptr;
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) {
            value = v;
            break;
        }
    }
    if (!value)
        return {};
    std::string lang(value);
    lang = lang.substr(0, lang.find_first_of("_.@"));
    for (auto& c : lang)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lang;
}

LocaleCodepages CodepagesOfLanguage(const std::string& lang)
{
    auto is = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (lang == n)
                return true;
        return false;
    };
    if (is({"ru", "uk", "be", "bg", "mk", "kk"}))
        return {1251, 866, 10007};
    if (is({"pl", "cs", "sk", "hu", "hr", "sl", "ro", "bs", "sq"}))
        return {1250, 852, 10029};
    if (is({"el"}))
        return {1253, 737, 10006};
    if (is({"tr", "az"}))
        return {1254, 857, 10081};
    if (is({"he", "iw", "yi"}))
        return {1255, 862, 10005};
    if (is({"ar", "fa", "ur"}))
        return {1256, 720, 10004};
    if (is({"lt", "lv", "et"}))
        return {1257, 775, 10000};
    if (is({"th"}))
        return {874, 874, 10000};
    if (is({"vi"}))
        return {1258, 1258, 10000};
    // English and the C/POSIX locale use the US DOS code page.
    if (lang.empty() || is({"en", "c", "posix"}))
        return {1252, 437, 10000};
    return {1252, 850, 10000};
}

LocaleCodepages FromLocale() { return CodepagesOfLanguage(LocaleLanguage()); }

// A positive decimal override naming a single-byte code page the
// converters have; anything else is ignored.
int Override(const char* var)
{
    const char* v = std::getenv(var);
    if (!v || !*v)
        return 0;
    char* end = nullptr;
    long n = std::strtol(v, &end, 10);
    if (*end != '\0' || n <= 3 || n > 65535)
        return 0;
    if (!CodepageTable(static_cast<int>(n)))
        return 0;
    return static_cast<int>(n);
}

}  // namespace

int SystemAnsiCodepage()
{
    if (int cp = Override("PEEKWELL_ACP"))
        return cp;
    return FromLocale().ansi;
}

int SystemOemCodepage()
{
    if (int cp = Override("PEEKWELL_OEMCP"))
        return cp;
    return FromLocale().oem;
}

int SystemMacCodepage() { return FromLocale().mac; }
